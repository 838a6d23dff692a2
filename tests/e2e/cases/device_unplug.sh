# The module vanishes while reporting (the simulator hangs up, as an unplugged USB adapter):
# the program notices by itself, stops reporting as Stop does (the capture closed, holding
# what the module sent), shows the controls of a closed link and says so once; once the port
# is back (a new module on the same device node) connecting and reporting work again.

printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
mapped=$("$E2E_WINE_RUN" reg query 'HKLM\Software\Wine\Ports' /v "$E2E_PORT" 2>/dev/null | tr -d '\r' |
  awk '/REG_SZ/ {print $NF}')
start_program
connect_and_start
E2E_WAIT=20 wait_match '^[1-9][0-9]*$' get-text 1500

# The simulator hangs up 8 s after it started; its device node goes with it.
deadline=$((SECONDS + 20))
while [ -e "$mapped" ]; do
  [ $SECONDS -lt $deadline ] || fail "the simulator did not hang up"
  sleep 0.1
done
hung_up=$(date +%s%N)
E2E_WAIT=5 wait_eq Start get-text 1105
echo "e2e: reporting stopped $((($(date +%s%N) - hung_up) / 1000000)) ms after the hang-up (polled)" >&2
expect_msgbox Error error "The connection to the module was lost. Check the cable, then press Connect."
expect_eq "$(drv get-text 1103)" Connect "Connect after the loss"
expect_eq "$(drv enabled 1103)" 1 "Connect enabled after the loss"
expect_eq "$(drv enabled 1105)" 0 "Start after the loss"
expect_eq "$(drv enabled 1210)" 0 "Read after the loss"
drv msgbox-answer IDOK
sleep 1.5
if "$E2E_WINE_RUN" "$E2E_DRIVER" msgbox 300 >/dev/null 2>&1; then fail "the loss was told more than once"; fi
expect_contains "$(cat "$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.log)" "Serial link lost while reporting" "the log"
expect_capture_as_sent 100 # what came before the hang-up: its timing follows the start-up

# The port comes back: a new module on the same pseudo-terminal the port is mapped to.
coproc SIM { exec "$E2E_NATIVE_BIN/radar-sim" --link "$E2E_WORK/port-again" --engineering 2>/dev/null; }
read -r ready <&"${SIM[0]}"
expect_eq "$ready" ready "second simulator"
expect_eq "$(readlink "$E2E_WORK/port-again")" "$mapped" "the port's device node"
drv click 1103
wait_eq Disconnect get-text 1103
drv click 1105
wait_eq Stop get-text 1105
E2E_WAIT=20 wait_match '^[1-9][0-9]*$' get-text 1500
drv click 1105
wait_eq Start get-text 1105
stop_program
kill "$SIM_PID" 2>/dev/null
wait "$SIM_PID" 2>/dev/null
