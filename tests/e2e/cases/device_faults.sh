# A module that does wrong, one way per test ($E2E_NAME names it; the simulator's fault is set
# in CMakeLists.txt): what the user sees, what the module was sent and what is on disk.
#   device_refuses_WHAT  status 1 for one command: enter, read, write, engineering, leave
#   device_answers_late  the first read answered after the program's time-out
#   device_chatty        reports go on while in command mode
#   device_unplug_read   the line hangs up instead of answering Read
#   device_unplug_config the line hangs up at Config's gate 5

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" DebugMode="1" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
mark() { wc -l <"$E2E_RECORD"; }
since() { python3 "$tools/record_commands.py" "$E2E_RECORD" "$(($1 + 1))"; }
edits() { echo "$(drv get-text 1201) $(drv get-text 1202) $(drv get-text 1203)"; }
log_text() { cat "$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.log | tr -d '\r'; }
no_box() {
  local box
  ! box=$("$E2E_WINE_RUN" "$E2E_DRIVER" msgbox 1500 2>/dev/null) || fail "a box more: $box"
}
read_answers() { # CAPTION ICON TEXT: Read shows this box
  drv click 1210
  expect_msgbox "$1" "$2" "$3"
  drv msgbox-answer IDOK
}
reports_flow() { # the distance readout shows a person within 20 s, and Stop ends it
  drv click 1105
  wait_eq Stop get-text 1105
  E2E_WAIT=20 wait_match '^[1-9][0-9]*$' get-text 1500
  drv click 1105
  wait_eq Start get-text 1105
}
gate_writes() { # the 0x0064 lines of gates 0..N-1 with the default tables, answered with 0
  local moving=(50 50 40 40 40 40 30 30 30) motionless=(0 0 40 40 40 40 15 15 15) gate
  for ((gate = 0; gate < $1; ++gate)); do echo "0x0064 $gate,${moving[$gate]},${motionless[$gate]} 0"; done
}
link_lost=$(sed -n 's/^ *IDS_LINK_LOST "\(.*\)"$/\1/p' "$(dirname "${BASH_SOURCE[0]}")/../../../src/resources/strings_en.rc")

start_program
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103
expect_eq "$(edits)" "8 8 3" "edits from the file"

case $E2E_NAME in
device_refuses_enter)
  # Outside command mode the module ignores the read: the program waits, then says so.
  start=$(mark)
  read_answers Error error "Fail to Read Configuration"
  expect_eq "$(since "$start" | head -n 2)" $'0x00FF 1\n0x00FF 1' "two tries to enter command mode"
  expect_eq "$(edits)" "8 8 3" "edits after the refused read"
  reports_flow
  # Closed while such a read waits: the window stays until the read and its box are done,
  # then closes by itself.
  drv click 1210
  drv close
  expect_msgbox Error error "Fail to Read Configuration"
  drv msgbox-answer IDOK
  wait_program_exit || fail "the close asked for during the read was lost"
  ;;
device_refuses_read)
  read_answers Error error "Fail to Read Configuration"
  expect_eq "$(edits)" "8 8 3" "edits after the refused read"
  reports_flow
  ;;
device_refuses_write)
  start=$(mark)
  drv click 1211
  expect_msgbox Error error "Fail to Write Configuration"
  drv msgbox-answer IDOK
  expect_eq "$(since "$start")" $'0x00FF 0\n0x0060 8,8,3 1\n0x00FE 0' "a refused Config writes no gate"
  read_answers Prompt information "Read Configuration Succefully"
  expect_eq "$(edits)" "8 8 5" "the module's values, unchanged"
  ;;
device_refuses_engineering)
  # Reporting runs on the kind of reports the module sends; the log tells why no energies come.
  reports_flow
  expect_contains "$(log_text)" "Start: the module did not take command 0x0062" "the log"
  ;;
device_refuses_leave)
  # The module stays in command mode: answers keep coming, reports do not.
  read_answers Prompt information "Read Configuration Succefully"
  read_answers Prompt information "Read Configuration Succefully"
  expect_eq "$(edits)" "8 8 5" "edits after Read"
  drv click 1105
  wait_eq Stop get-text 1105
  sleep 2
  expect_eq "$(drv get-text 1500)" 0 "distance without reports"
  drv click 1105
  wait_eq Start get-text 1105
  ;;
device_answers_late)
  # The late answer of the first read must not pass for the answer to the second.
  read_answers Error error "Fail to Read Configuration"
  sleep 1
  drv set-text 1203 9
  read_answers Prompt information "Read Configuration Succefully"
  expect_eq "$(edits)" "8 8 5" "edits after the second read"
  expect_eq "$(sed -n 's/.*"cmd":"\(0x0061\)".*"status":\([0-9]\).*/\1 \2/p' "$E2E_RECORD" | tr '\n' ' ')" \
    "0x0061 0 0x0061 0 " "both reads answered"
  ;;
device_chatty)
  read_answers Prompt information "Read Configuration Succefully"
  expect_eq "$(edits)" "8 8 5" "edits after Read among reports"
  start=$(mark)
  drv click 1211
  expect_msgbox Prompt information "Write Configuration Succefully"
  drv msgbox-answer IDOK
  expect_eq "$(since "$start")" "$(printf '0x00FF 0\n0x0060 8,8,5 0\n%s\n0x00FE 0' "$(gate_writes 9)")" \
    "Config among reports"
  reports_flow
  ;;
device_unplug_read | device_unplug_config)
  start=$(mark)
  if [ "$E2E_NAME" = device_unplug_read ]; then
    drv click 1210
    expected='0x00FF 0\n0x0061 -'
  else
    drv click 1211
    expected="0x00FF 0\\n0x0060 8,8,3 0\\n$(gate_writes 5 | sed 's/$/\\n/' | tr -d '\n')0x0064 5,40,40 -"
  fi
  expect_msgbox Error error "$link_lost"
  drv msgbox-answer IDOK
  no_box
  expect_eq "$(drv get-text 1103)" Connect "Connect after the link was lost"
  expect_eq "$(drv enabled 1105)" 0 "Start after the link was lost"
  expect_eq "$(since "$start")" "$(printf "$expected")" "what the module took before it went"
  expect_contains "$(log_text)" "Serial link lost" "the log"
  stop_program
  expect_eq "$(tr -d '\r' <"$E2E_PROGRAM_DIR/appConfig.xml")" \
    $'<?xml version="1.0"?>\n<AppConfig Language="ENG" DebugMode="1" BaudRate="256000" />' "appConfig.xml"
  ;;
*) fail "no such fault case: $E2E_NAME" ;;
esac
