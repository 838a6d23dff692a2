# A Log folder that cannot be made and missing pictures leave the program running normally:
# it shows, closes, and still saves its settings.

rm -rf "$E2E_PROGRAM_DIR/Log" "$E2E_PROGRAM_DIR/Image"
printf 'a file where the Log folder should be\n' >"$E2E_PROGRAM_DIR/Log"
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
start_program
expect_eq "$(drv get-text 1103)" "Connect" "Connect button"
stop_program
expect_eq "$(cat "$E2E_PROGRAM_DIR/Log")" "a file where the Log folder should be" "the file in the Log folder's place"
expect_contains "$(cat "$E2E_PROGRAM_DIR/appConfig.xml")" 'BaudRate="256000" DebugMode="1"' "settings saved"
