# The harness against the stand-in program: each driver subcommand reaches the dialog under Wine,
# radar-sim answers on the mapped port, and what the dialog ends with lands on disk.

expect_eq "$(drv title)" "KOVA_Tevo512Tool" "title"
expect_eq "$(drv get-text 1099)" "串口号" "label"

drv set-text 1102 115200
expect_eq "$(drv get-text 1102)" 115200 "baud rate"
drv type 1201 "7é"
expect_eq "$(drv get-text 1201)" "7é" "typed text"

first_port=$(drv combo-items 1101 | head -n 1)
drv combo-select 1101 0
expect_eq "$(drv get-text 1101)" "$first_port" "port chosen by index"
expect_contains "$(drv combo-items 1101)" "$E2E_PORT" "port list"
drv combo-select 1101 "$E2E_PORT"
expect_eq "$(drv get-text 1101)" "$E2E_PORT" "port chosen by name"

rows=$(drv list-rows 1600)
expect_eq "$(sed -n 3p <<<"$rows")" $'2\t40\t40' "third row"
expect_eq "$(sed -n 9p <<<"$rows")" $'8\t30\t15' "last row"

expect_eq "$(drv checked 1104)" 0 "engineering mode before"
drv check 1104 1
expect_eq "$(drv checked 1104)" 1 "engineering mode after"

# Start stays out of reach until the port is open; a click on it is refused.
expect_eq "$(drv enabled 1105)" 0 "Start before connecting"
if "$E2E_WINE_RUN" "$E2E_DRIVER" click 1105 2>/dev/null; then
  fail "a click on a disabled button went through"
fi

drv click 1103
expect_msgbox Prompt information "Connected to $E2E_PORT"
expect_contains "$(drv msgbox)" $'buttons=IDOK\n' "information box"
drv msgbox-answer IDOK
wait_eq Disconnect get-text 1103
expect_eq "$(drv enabled 1105)" 1 "Start after connecting"
expect_contains "$(cat "$E2E_RECORD")" '"cmd":"0x00FF"' "simulator's record"

drv click 1105
wait_match '^[1-9][0-9]* bytes$' get-text 1300

drv click 1103
wait_eq Connect get-text 1103
drv combo-select 1101 -1
drv click 1103
expect_msgbox Error error 'Cannot open ""'
drv msgbox-answer OK
drv combo-select 1101 "$E2E_PORT"

# The table follows the window's size and the big font its scale; minimising changes nothing.
read -r _ _ client_w client_h _ <<<"$(drv rect)"
read -r x y w h _ <<<"$(drv rect 1600)"
read -r _ _ _ _ font_before <<<"$(drv rect 1500)"
expect_eq "$font_before" -24 "distance font"
read -r new_client_w new_client_h <<<"$(drv resize 800 600)"
table_after=$(drv rect 1600)
expect_eq "$table_after" "$x $y $((w + new_client_w - client_w)) $((h + new_client_h - client_h)) -12" "table"
read -r _ _ _ _ font_after <<<"$(drv rect 1500)"
[ "$font_after" -lt "$font_before" ] || fail "the distance font did not grow: $font_after"
drv minimize
expect_eq "$(drv restore)" "$new_client_w $new_client_h" "client size after restoring"
expect_eq "$(drv rect 1600)" "$table_after" "table after restoring"

screenshot "$E2E_WORK/standin.png"
expect_eq "$(identify -format '%wx%h' "$E2E_WORK/standin.png")" 800x600 "screenshot size"
[ "$(identify -format '%k' "$E2E_WORK/standin.png")" -gt 16 ] || fail "the screenshot is blank"

drv close
drv wait-exit
expect_exit 2
expect_eq "$(cat "$E2E_PROGRAM_DIR/standin-state.txt")" "result=2
port=$E2E_PORT
baud=115200
engineering=1
moving_max=7é
label=串口号" "state written on close"
