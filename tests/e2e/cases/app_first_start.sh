# Started in an empty folder: the configuration file is made with only its root, a log file
# is opened, the title carries the file version, the texts are Chinese; a second start makes
# a second log file. Closing writes BaudRate and then DebugMode.

rm -f "$E2E_PROGRAM_DIR/appConfig.xml"
rm -rf "$E2E_PROGRAM_DIR/Log"
start_program
expect_eq "$(cat "$E2E_PROGRAM_DIR/appConfig.xml")" $'<?xml version="1.0"?>\n<AppConfig />' "new appConfig.xml"
expect_match "$(ls "$E2E_PROGRAM_DIR/Log")" '^Tevo512Tool_[0-9]{8}_[0-9]{6}_[0-9]{3}\.log$' "log file"
expect_match "$(drv title)" '^KOVA_Tevo512Tool\(v[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+\)$' "title"
expect_eq "$(drv get-text 1103)" "连接设备" "Connect button"
expect_eq "$(drv get-text 1102)" "256000" "baud rate"
expect_eq "$(drv enabled 1105)" "0" "Start enabled"
expect_eq "$(drv combo-items 1205)" $'秒\n分\n时' "time units"
screenshot "$E2E_WORK/chinese.png"
stop_program

expect_eq "$(cat "$E2E_PROGRAM_DIR/appConfig.xml")" \
  $'<?xml version="1.0"?>\n<AppConfig BaudRate="256000" DebugMode="1" />' "appConfig.xml after closing"

sleep 0.01
start_program
expect_eq "$(ls "$E2E_PROGRAM_DIR/Log" | wc -l)" "2" "log files after two starts"
stop_program
