# Start/Stop against the simulator's walk-in scenario with garbage and broken tails on the
# line: the engineering command in its command-mode bracket, the live display, and a capture
# file per run holding exactly the bytes the simulator sent, whose reports the log lists.

tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" DebugMode="1" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
commands() { sed -n 's/.*"cmd":"\(0x[0-9A-F]*\)".*/\1/p' "$E2E_RECORD" | tr '\n' ' '; }

start_program
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103
expect_eq "$(drv checked 1104)" 1 "Engineering Mode from DebugMode"

before=$(commands)
drv click 1105
wait_eq Stop get-text 1105
# The live display follows the person walking in: after 50 reports the maxima, a moving
# target at a distance.
E2E_WAIT=20 wait_match '^[0-9]+$' get-text 1300
E2E_WAIT=20 wait_match '^[0-9]+$' get-text 1301
E2E_WAIT=20 wait_eq 1 checked 1401
expect_match "$(drv get-text 1500)" '^[1-9][0-9]*$' "distance readout"
# Apply only moves the threshold lines: nothing goes to the module.
sent_before_apply=$(commands)
drv click 1302
sleep 0.5
expect_eq "$(commands)" "$sent_before_apply" "commands after Apply"
drv click 1105
wait_eq Start get-text 1105
expect_eq "$(drv enabled 1302)" 0 "Apply after Stop"
expect_eq "$(commands | cut -c $((${#before} + 1))-)" "0x00FF 0x0062 0x00FE " "commands of Start (engineering)"

captures=("$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.dat)
expect_eq "${#captures[@]}" 1 "capture files after one run"
size=$(python3 "$tools/capture_matches_sent.py" "${captures[0]}" "$E2E_WORK/sim-sent.bin" 2>&1) ||
  fail "capture: $size"
[ "$size" -gt 2000 ] || fail "capture of only $size bytes"

# The log lists every report of the capture and every broken tail, in order.
log=$(cat "$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.log | sed -n 's/^[0-9-]* [0-9:.]* //p' | tr -d '\r' |
  grep -E '^(State=|Tailer TAG Invalid!)')
decoded=$("$E2E_NATIVE_BIN/capture-decode" "${captures[0]}")
expect_eq "$log" "$decoded" "logged reports against the capture"
expect_match "$(grep -c 'Tailer TAG Invalid!' <<<"$decoded")" '^[1-9]' "broken tails in the capture"

# Without Engineering Mode, Start asks for basic reports; each run has its own capture.
drv check 1104 0
before=$(commands)
drv click 1105
wait_eq Stop get-text 1105
sleep 1
drv click 1105
wait_eq Start get-text 1105
expect_eq "$(commands | cut -c $((${#before} + 1))-)" "0x00FF 0x0063 0x00FE " "commands of Start (basic)"
captures=("$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.dat)
expect_eq "${#captures[@]}" 2 "capture files after two runs"
stop_program
expect_contains "$(cat "$E2E_PROGRAM_DIR/appConfig.xml")" 'DebugMode="0"' "DebugMode saved"
