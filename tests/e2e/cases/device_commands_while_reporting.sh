# While reporting runs the line is the report stream's: the sensitivity dialog, open since
# before Start, offers no Confirm and ignores a click that still arrives (as Enter's does);
# Read, Config and Reset, reached all the same, say to stop first. Nothing reaches the module between Start's bracket and
# Stop, and the capture is exactly what the module sent. Then the dialog's Confirm refuses
# cells the module cannot take, naming the gate, and sends nothing until every cell is valid.

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" DebugMode="1" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
mark() { wc -l <"$E2E_RECORD"; }
since() { python3 "$tools/record_commands.py" "$E2E_RECORD" "$(($1 + 1))"; }
stop_first="Stop reporting first: the module takes no commands while it reports."

start_program
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103
drv click 1213
wait_eq 1 enabled 2001
expect_eq "$(drv enabled 1)" 1 "Confirm before Start"

start=$(mark)
drv click 1105
wait_eq Stop get-text 1105
expect_eq "$(drv enabled 1)" 0 "Confirm while reporting"
E2E_WAIT=20 wait_match '^[0-9]+$' get-text 1300
drv post-click 1
sleep 0.5
if "$E2E_WINE_RUN" "$E2E_DRIVER" msgbox 300 >/dev/null 2>&1; then fail "a box after Confirm while reporting"; fi
for button in 1210 1211 1212; do
  drv post-click "$button"
  expect_msgbox Error error "$stop_first"
  drv msgbox-answer IDOK
done
sleep 1
drv click 1105
wait_eq Start get-text 1105
expect_eq "$(drv enabled 1)" 1 "Confirm after Stop"
expect_eq "$(since "$start")" "$(printf '0x00FF 0\n0x0062 0\n0x00FE 0')" "commands from Start to Stop"
expect_capture_as_sent 2000

# Cells the module cannot take: refused with the gate named, the dialog stays, nothing sent.
refuse() { # MOVING MOTIONLESS GATE [ROW-EDIT]: Set the pair, optionally edit gate 3, Confirm
  drv set-text 2002 "$1"
  drv set-text 2003 "$2"
  drv click 2004
  [ -z "${4:-}" ] || drv list-edit 2001 3 1 "$4"
  local before
  before=$(mark)
  drv click 1
  expect_msgbox Error error "RG $3: a sensitivity must be a whole number from 0 to 100. Nothing was written."
  drv msgbox-answer IDOK
  sleep 0.3
  expect_eq "$(since "$before")" "" "commands after a refused Confirm"
  E2E_WAIT=5 wait_match '^RG 0 Sensibility' list-rows 2001 # the dialog still shows
}
refuse abc 30 0
refuse 300 30 0
refuse "" 30 0
refuse 25 -1 0
refuse 25 30 3 101
drv set-text 2002 25
drv set-text 2003 30
drv click 2004
start=$(mark)
drv click 1
expect_msgbox Prompt information "Write Configuration Succefully"
drv msgbox-answer IDOK
expect_eq "$(since "$start" | grep -c '^0x0064 [0-8],25,30 0$')" 9 "gate writes of the valid table"
stop_program
