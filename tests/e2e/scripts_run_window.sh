#!/bin/bash
# scripts_run_window.sh BUILD_DIR NATIVE_BIN
# scripts/run on radar-sim's link, twice, each time with another simulator, in a KOVA_RUN_HOME of
# its own (a new Wine prefix the first time, the same one again the second) under Xvfb: the link
# is COM1 and selected, Connect talks to that simulator and no other, the program keeps its files
# in the program folder, and closing the window ends scripts/run with status 0.
set -u
if [ -z "${KOVA_RUN_TEST_XVFB:-}" ]; then
  export KOVA_RUN_TEST_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd) native_bin=$2

work=$(mktemp -d "${TMPDIR:-/tmp}/kova-run-test.XXXXXX")
export KOVA_RUN_HOME=$work/home KOVA_RUN_DIST=$build/dist
export E2E_WORK=$work E2E_DRIVER=$build/bin/e2e-driver.exe E2E_WINE_RUN=$work/wine-run.sh
cat >"$E2E_WINE_RUN" <<EOF
#!/bin/sh
export WINEPREFIX="$KOVA_RUN_HOME/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
if [ "\$1" = wineserver ]; then shift; exec wineserver "\$@"; fi
exec wine "\$@"
EOF
chmod +x "$E2E_WINE_RUN"
# shellcheck source=lib.sh
source "$root/tests/e2e/lib.sh"

sims=() run_pid=''
cleanup() {
  local status=$?
  [ ! -s "$work/failures" ] || status=1
  [ -z "$run_pid" ] || kill "$run_pid" 2>/dev/null
  "$E2E_WINE_RUN" wineserver -k >/dev/null 2>&1
  [ ${#sims[@]} = 0 ] || kill "${sims[@]}" 2>/dev/null
  wait 2>/dev/null
  [ $status = 0 ] || cat "$work"/run*.out >&2 2>/dev/null
  rm -rf "$work"
  [ $status != 0 ] || echo "scripts_run_window: passed" >&2
  exit $status
}
trap cleanup EXIT

start_sim() { # NAME: radar-sim on $work/NAME.link, recording into $work/NAME.jsonl
  "$native_bin/radar-sim" --link "$work/$1.link" --record "$work/$1.jsonl" >"$work/$1.out" 2>&1 &
  sims+=($!)
  local deadline=$((SECONDS + 10))
  until grep -qx ready "$work/$1.out"; do
    [ $SECONDS -lt $deadline ] || fail "radar-sim $1 did not start: $(cat "$work/$1.out")"
    sleep 0.1
  done
}

# scripts/run prints this line once the port is mapped, just before the program starts.
wait_run_started() { # OUT
  local deadline=$((SECONDS + 300))
  until grep -q 'running in' "$1" 2>/dev/null; do
    kill -0 "$run_pid" 2>/dev/null || fail "scripts/run ended early: $(cat "$1")"
    [ $SECONDS -lt $deadline ] || fail "scripts/run did not start the program: $(cat "$1")"
    sleep 0.2
  done
}

run_status=''
wait_run_exit() { # sets run_status once scripts/run ends, within 20 s
  local deadline=$((SECONDS + 20))
  while kill -0 "$run_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || { run_status='still running'; return; }
    sleep 0.1
  done
  wait "$run_pid"
  run_status=$?
  run_pid=''
}

answered_version() { grep -c '"cmd":"0x00A0".*"status":0' "$work/$1.jsonl"; }

mkdir -p "$KOVA_RUN_HOME/program"
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$KOVA_RUN_HOME/program/appConfig.xml"
start_sim first
start_sim second

for sim in first second; do
  other=first
  [ $sim = second ] || other=second
  before=$(answered_version $other)
  "$root/scripts/run" "$work/$sim.link" >"$work/run-$sim.out" 2>&1 &
  run_pid=$!
  wait_run_started "$work/run-$sim.out"
  drv wait-window KOVA_Tevo512Tool 60000 >/dev/null
  expect_eq "$(drv combo-items 1101 | head -n 1)" COM1 "first port ($sim)"
  expect_eq "$(drv get-text 1101)" COM1 "selected port ($sim)"
  drv click 1103
  wait_eq Disconnect get-text 1103
  # Connecting asks for the firmware version: only the simulator on the mapped link answered.
  expect_eq "$(answered_version $sim)" 1 "version answers of the $sim simulator"
  expect_eq "$(answered_version $other)" "$before" "version answers of the $other simulator"
  drv close
  wait_run_exit
  expect_eq "$run_status" 0 "exit status of scripts/run ($sim)"
done

# The program ran from its folder in KOVA_RUN_HOME, with the configuration written there before.
expect_contains "$(cat "$KOVA_RUN_HOME/program/appConfig.xml")" 'Language="ENG"' "appConfig.xml"
expect_eq "$(find "$KOVA_RUN_HOME/program/Log" -name 'Tevo512Tool_*.log' | wc -l)" 2 "log files"
check_failures
