# The module vanishes while reporting (the simulator hangs up, as an unplugged USB adapter):
# the program stays responsive, Stop and Disconnect work, and once the port is back (a new
# module on the same device node) connecting and reporting work again.

printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
start_program
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103
drv click 1105
wait_eq Stop get-text 1105
E2E_WAIT=20 wait_match '^[0-9]+$' get-text 1300

# The simulator hangs up 8 s after it started; the program keeps answering meanwhile.
sleep 6
for _ in 1 2 3 4 5; do
  expect_match "$(drv get-text 1500)" '^[0-9]+$' "distance readout after the hang-up"
  sleep 0.5
done
drv click 1105
E2E_WAIT=5 wait_eq Start get-text 1105
drv click 1103
E2E_WAIT=5 wait_eq Connect get-text 1103
expect_eq "$(drv enabled 1105)" 0 "Start after disconnecting"

# The port comes back: a new module on the same pseudo-terminal the port is mapped to.
mapped=$("$E2E_WINE_RUN" reg query 'HKLM\Software\Wine\Ports' /v "$E2E_PORT" 2>/dev/null | tr -d '\r' |
  awk '/REG_SZ/ {print $NF}')
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
