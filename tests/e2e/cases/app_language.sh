# The Language attribute chooses the texts: "eng" (any case) English, anything else Chinese.

for language in eng CHS DEU none; do
  if [ "$language" = none ]; then
    printf '<?xml version="1.0"?>\n<AppConfig />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
  else
    printf '<?xml version="1.0"?>\n<AppConfig Language="%s" />\n' "$language" >"$E2E_PROGRAM_DIR/appConfig.xml"
  fi
  start_program
  if [ "$language" = eng ]; then
    expect_eq "$(drv get-text 1103)" "Connect" "Connect button ($language)"
    expect_eq "$(drv get-text 1105)" "Start" "Start button ($language)"
    expect_eq "$(drv combo-items 1205)" $'s\nm\nh' "time units ($language)"
    screenshot "$E2E_WORK/english.png"
  else
    expect_eq "$(drv get-text 1103)" "连接设备" "Connect button ($language)"
    expect_eq "$(drv get-text 1105)" "开始" "Start button ($language)"
  fi
  stop_program
done
