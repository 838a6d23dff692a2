# Port list, Connect/Disconnect and the control states in every connection and reporting state.

english() { printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"; }
enabled_states() { # the ids' enabled flags in one line
  local id out=''
  for id in "$@"; do out+="$(drv enabled "$id")"; done
  printf '%s' "$out"
}
# Engineering Mode, the parameter controls, Apply.
states() { echo "$(drv enabled 1104) $(enabled_states 1201 1202 1203 1204 1205 1210 1211 1212 1213) $(drv enabled 1302)"; }

english
start_program
# Refresh lists the mapped ports in enumeration order and selects the first.
ports=$(drv combo-items 1101)
expect_contains "$ports" "$E2E_PORT" "port list"
expect_eq "$(drv get-text 1101)" "$(head -n 1 <<<"$ports")" "selected port"
drv click 1100
expect_eq "$(drv combo-items 1101)" "$ports" "port list after Refresh"
expect_eq "$(drv get-text 1103)" Connect "Connect caption"
expect_eq "$(drv enabled 1105)" 0 "Start before connecting"

# No port selected (as with an empty list): an error, Start stays disabled.
drv combo-select 1101 -1
drv click 1103
expect_msgbox Error error "No device detected"
drv msgbox-answer IDOK
expect_eq "$(drv enabled 1105)" 0 "Start after no device"

# A baud rate the port cannot take (0, negative, not a number): the open is refused cleanly;
# the caption and appConfig.xml stay as they were.
drv combo-select 1101 "$E2E_PORT"
before=$(md5sum <"$E2E_PROGRAM_DIR/appConfig.xml")
for baud in 0 -9600 fast; do
  drv set-text 1102 "$baud"
  drv click 1103
  expect_msgbox Error error "Fail to Open Device"
  drv msgbox-answer IDOK
  expect_eq "$(drv get-text 1103)" Connect "caption after baud rate $baud"
  expect_eq "$(drv enabled 1105)" 0 "Start after baud rate $baud"
  expect_eq "$(md5sum <"$E2E_PROGRAM_DIR/appConfig.xml")" "$before" "appConfig.xml after baud rate $baud"
done

# Connected: parameters and Engineering Mode enabled, Apply not.
drv set-text 1102 256000
drv click 1103
wait_eq Disconnect get-text 1103
expect_eq "$(drv enabled 1105)" 1 "Start when connected"
expect_eq "$(states)" "1 111111111 0" "control states when connected"
expect_contains "$(cat "$E2E_PROGRAM_DIR/appConfig.xml")" 'BaudRate="256000"' "appConfig.xml after connecting"

# Reporting: only Apply of these, Connect disabled.
drv click 1105
wait_eq Stop get-text 1105
expect_eq "$(states)" "0 000000000 1" "control states while reporting"
expect_eq "$(drv enabled 1103)" 0 "Connect while reporting"
drv click 1105
wait_eq Start get-text 1105
expect_eq "$(states)" "1 111111111 0" "control states after stopping"
expect_eq "$(drv enabled 1103)" 1 "Connect after stopping"

# Disconnected: only Engineering Mode.
drv click 1103
wait_eq Connect get-text 1103
expect_eq "$(drv enabled 1105)" 0 "Start after disconnecting"
expect_eq "$(states)" "1 000000000 0" "control states when disconnected"
# Closing saves the baud rate, but never one a port cannot run at.
drv set-text 1102 -9600
stop_program
expect_contains "$(cat "$E2E_PROGRAM_DIR/appConfig.xml")" 'BaudRate="256000"' "appConfig.xml after closing on -9600"

# The same error in Chinese.
printf '<?xml version="1.0"?>\n<AppConfig Language="CHS" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
start_program
drv combo-select 1101 -1
drv click 1103
expect_msgbox 错误 error 未检测到设备
drv msgbox-answer IDOK
stop_program
