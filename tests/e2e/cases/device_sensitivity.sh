# The sensitivity dialog from the main dialog against the simulator: filled from the current
# tables, Cancel keeping them, Set and an in-place edit confirmed into the module, the dialog's
# Reset giving the default tables, and a Read's values on reopening. The simulator refuses its
# 32nd gate write (gate 4 of the main dialog's Reset below).

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
mark() { wc -l <"$E2E_RECORD"; }
since() { python3 "$tools/record_commands.py" "$E2E_RECORD" "$(($1 + 1))"; }
rows() { # the table as "moving/motionless" per gate, and the first row's caption
  local table
  table=$(drv list-rows 2001)
  printf '%s|%s\n' "$(head -n 1 <<<"$table" | cut -f 1)" "$(cut -f 2,3 <<<"$table" | tr '\t' / | tr '\n' ' ')"
}
gate_writes() { # gates 0..8 written with the given moving and motionless values
  local moving=($1) motionless=($2) gate
  for gate in 0 1 2 3 4 5 6 7 8; do echo "0x0064 $gate,${moving[$gate]},${motionless[$gate]} 0"; done
}
open_sensitivities() {
  drv click 1213
  wait_eq 1 enabled 2001
}
defaults="RG 0 Sensibility|50/0 50/0 40/40 40/40 40/40 40/40 30/15 30/15 30/15 "

start_program
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103

open_sensitivities
expect_eq "$(rows)" "$defaults" "table when opened"
expect_eq "$(drv list-rows 2001 | cut -f 1 | tail -n 1)" "RG 8 Sensibility" "last row"

# Set fills every row; Cancel sends nothing and the next opening shows the old values.
drv set-text 2002 25
drv set-text 2003 30
drv click 2004
expect_eq "$(rows)" "RG 0 Sensibility|25/30 25/30 25/30 25/30 25/30 25/30 25/30 25/30 25/30 " "table after Set"
start=$(mark)
drv click 2
sleep 0.5
expect_eq "$(since "$start")" "" "commands after Cancel"
open_sensitivities
expect_eq "$(rows)" "$defaults" "table reopened after Cancel"

# Gate 3's moving sensitivity edited in place to 35, then Confirm: one 0x0060 and nine 0x0064.
drv list-edit 2001 3 1 35
expect_eq "$(drv list-rows 2001 | sed -n 4p | cut -f 2)" 35 "gate 3 after editing"
start=$(mark)
drv click 1
expect_msgbox Prompt information "Write Configuration Succefully"
drv msgbox-answer IDOK
expected=$(printf '0x00FF 0\n0x0060 8,8,3 0\n%s\n0x00FE 0' \
  "$(gate_writes "50 50 40 35 40 40 30 30 30" "0 0 40 40 40 40 15 15 15")")
expect_eq "$(since "$start")" "$expected" "commands of Confirm"
# The dialog has hidden itself: its table is out of reach.
if "$E2E_WINE_RUN" "$E2E_DRIVER" list-rows 2001 >/dev/null 2>&1; then fail "the dialog still shows after Confirm"; fi

# The dialog's Reset shows the default tables; Confirm writes them.
open_sensitivities
expect_eq "$(drv list-rows 2001 | sed -n 4p | cut -f 2)" 35 "gate 3 on reopening"
drv click 2005
expect_eq "$(rows)" "$defaults" "table after the dialog's Reset"
start=$(mark)
drv click 1
expect_msgbox Prompt information "Write Configuration Succefully"
drv msgbox-answer IDOK
expected=$(printf '0x00FF 0\n0x0060 8,8,3 0\n%s\n0x00FE 0' \
  "$(gate_writes "50 50 40 40 40 40 30 30 30" "0 0 40 40 40 40 15 15 15")")
expect_eq "$(since "$start")" "$expected" "commands of Confirm after Reset"

# Set everything to 25/30 in the module, then a main-dialog Reset that the module refuses at
# gate 4: the module keeps 25/30 from gate 4 on. A Read brings that back, and the dialog shows it.
open_sensitivities
drv set-text 2002 25
drv set-text 2003 30
drv click 2004
drv click 1
expect_msgbox Prompt information "Write Configuration Succefully"
drv msgbox-answer IDOK
drv click 1212
expect_msgbox Error error "Fail to Write Configuration"
drv msgbox-answer IDOK
drv click 1210
expect_msgbox Prompt information "Read Configuration Succefully"
drv msgbox-answer IDOK
open_sensitivities
expect_eq "$(rows)" "RG 0 Sensibility|50/0 50/0 40/40 40/40 25/30 25/30 25/30 25/30 25/30 " "table after a Read"
drv click 2
stop_program
