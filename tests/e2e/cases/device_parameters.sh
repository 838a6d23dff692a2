# Read, Config and Reset of the detection parameters against the simulator: its second read
# is refused, and its fifth gate write (gate 4 of the first Config) too.

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)
# No sensitivity lists and a farthest moving gate of 0 (clamped to 1): what Reset restores.
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" MotionGateMax="0" OffTime="4" />\n' \
  >"$E2E_PROGRAM_DIR/appConfig.xml"
mark() { wc -l <"$E2E_RECORD"; }
since() { python3 "$tools/record_commands.py" "$E2E_RECORD" "$(($1 + 1))"; }
gate_writes() { # the nine 0x0064 lines of gates 0..8 with the given moving and motionless values
  local moving=($1) motionless=($2) gate
  for gate in 0 1 2 3 4 5 6 7 8; do echo "0x0064 $gate,${moving[$gate]},${motionless[$gate]} 0"; done
}

start_program
expect_eq "$(drv get-text 1201)" 0 "farthest moving gate from the file"
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103

# Read: the module's values fill the edits.
drv click 1210
expect_msgbox Prompt information "Read Configuration Succefully"
drv msgbox-answer IDOK
expect_eq "$(drv get-text 1201) $(drv get-text 1202) $(drv get-text 1203)" "8 8 5" "edits after Read"

# A refused read changes nothing.
drv set-text 1203 9
drv click 1210
expect_msgbox Error error "Fail to Read Configuration"
drv msgbox-answer IDOK
expect_eq "$(drv get-text 1201) $(drv get-text 1202) $(drv get-text 1203)" "8 8 9" "edits after a refused read"

# Config: one 0x0060 with the edits, then one 0x0064 per gate from gate 0; the refusal at
# gate 4 ends it with gates 0..3 written.
drv set-text 1201 5
drv set-text 1202 6
drv set-text 1203 7
start=$(mark)
drv click 1211
expect_msgbox Error error "Fail to Write Configuration"
drv msgbox-answer IDOK
module_moving="50 50 40 40 40 40 30 30 30" module_motionless="0 0 40 40 40 40 15 15 15"
expected=$(printf '0x00FF 0\n0x0060 5,6,7 0\n%s\n0x0064 4,40,40 1\n0x00FE 0' \
  "$(gate_writes "$module_moving" "$module_motionless" | head -n 4)")
expect_eq "$(since "$start")" "$expected" "commands of a Config refused at gate 4"

start=$(mark)
drv click 1211
expect_msgbox Prompt information "Write Configuration Succefully"
drv msgbox-answer IDOK
expected=$(printf '0x00FF 0\n0x0060 5,6,7 0\n%s\n0x00FE 0' "$(gate_writes "$module_moving" "$module_motionless")")
expect_eq "$(since "$start")" "$expected" "commands of Config"

# Reset: the file's values, the farthest moving gate clamped to 1 and shown as 0. The module
# refuses a farthest gate of 0, so nothing more is written.
start=$(mark)
drv click 1212
expect_msgbox Error error "Fail to Write Configuration"
drv msgbox-answer IDOK
expect_eq "$(drv get-text 1201) $(drv get-text 1202) $(drv get-text 1203)" "0 8 4" "edits after Reset"
expect_eq "$(since "$start")" $'0x00FF 0\n0x0060 0,8,4 1\n0x00FE 0' "commands of a refused Reset"
stop_program

# Reset from a file without sensitivity lists writes the default tables.
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" MotionGateMax="4" OffTime="6" />\n' \
  >"$E2E_PROGRAM_DIR/appConfig.xml"
start_program
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103
drv set-text 1201 7
start=$(mark)
drv click 1212
expect_msgbox Prompt information "Write Configuration Succefully"
drv msgbox-answer IDOK
expect_eq "$(drv get-text 1201) $(drv get-text 1202) $(drv get-text 1203)" "3 8 6" "edits after Reset"
expected=$(printf '0x00FF 0\n0x0060 3,8,6 0\n%s\n0x00FE 0' \
  "$(gate_writes "50 50 40 40 40 40 30 30 30" "0 0 40 40 40 40 15 15 15")")
expect_eq "$(since "$start")" "$expected" "commands of Reset"
stop_program
