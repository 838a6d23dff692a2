# shellcheck shell=bash
# Helpers for e2e case scripts, sourced before the case by session.sh. The case runs in the
# program's test folder set up by run-e2e.sh, with these variables:
#   E2E_PROGRAM_DIR  the program's folder (appConfig.xml, Log/ and whatever it writes)
#   E2E_EXE          the program file in it
#   E2E_RECORD       radar-sim's record: one JSON line per command frame it received
#   E2E_PORT         the COM port radar-sim is on (COM5)
#   E2E_WORK         a scratch folder of this test
#   E2E_NATIVE_BIN   the native tools (radar-sim, capture-decode)
# Any failure, even inside $(...), fails the test: it is written to $E2E_WORK/failures, which
# every check and the end of the case look at.

E2E_PID=''  # the running program's process
E2E_EXIT='' # the exit status of the program that ended last

fail() {
  echo "FAIL: $*" >&2
  echo "$*" >>"$E2E_WORK/failures"
  exit 1
}

# undo_at_end COMMAND: runs COMMAND (a shell line) once the case has ended and the program is
# closed, pass or fail (a mount to take down, say).
E2E_UNDO=()
undo_at_end() { E2E_UNDO+=("$1"); }

# Stops the case at the first failure, wherever it happened.
check_failures() { [ ! -s "$E2E_WORK/failures" ] || exit 1; }

# drv SUBCOMMAND ARGS...: runs e2e-driver (see its usage) and prints what it prints.
drv() {
  check_failures
  local out
  out=$("$E2E_WINE_RUN" "$E2E_DRIVER" "$@" 2>"$E2E_WORK/driver.err") ||
    fail "drv $*: $(cat "$E2E_WORK/driver.err")"
  [ -z "$out" ] || printf '%s\n' "$out"
}

expect_eq() { # ACTUAL EXPECTED [WHAT]
  check_failures
  [ "$1" = "$2" ] || fail "${3:-value}: got '$1', expected '$2'"
}

expect_contains() { # TEXT PART [WHAT]
  check_failures
  [[ $1 == *"$2"* ]] || fail "${3:-text} does not contain '$2': '$1'"
}

expect_match() { # TEXT EXTENDED-REGEX [WHAT]
  check_failures
  [[ $1 =~ $2 ]] || fail "${3:-text} does not match /$2/: '$1'"
}

expect_file() { # PATH: it exists and is not empty
  check_failures
  [ -s "$1" ] || fail "no file $1"
}

# wait_eq EXPECTED SUBCOMMAND ARGS... and wait_match EXTENDED-REGEX SUBCOMMAND ARGS...: ask the
# driver again until it prints that, for what the program does after a posted click. They give
# up after $E2E_WAIT seconds (default 10).
wait_eq() { poll_driver eq "$@"; }
wait_match() { poll_driver match "$@"; }

poll_driver() {
  check_failures
  local how=$1 want=$2 out='' deadline=$((SECONDS + ${E2E_WAIT:-10}))
  shift 2
  while :; do
    if out=$("$E2E_WINE_RUN" "$E2E_DRIVER" "$@" 2>/dev/null); then
      if [ "$how" = eq ]; then [ "$out" != "$want" ] || return 0; elif [[ $out =~ $want ]]; then return 0; fi
    fi
    [ $SECONDS -lt $deadline ] || fail "drv $*: got '$out', expected ${how}: '$want'"
    sleep 0.2
  done
}

# expect_msgbox CAPTION ICON TEXT: a message box is open with these (icon: error, warning,
# question, information, none); answer it with drv msgbox-answer.
expect_msgbox() {
  local box
  box=$(drv msgbox)
  expect_contains "$box" "caption=$1"$'\n' "message box"
  expect_contains "$box" "icon=$2"$'\n' "message box"
  expect_eq "${box#*text=}" "$3" "message box text"
}

# expect_capture_as_sent MIN_BYTES: the Log folder holds one capture file, holding exactly what
# the simulator sent (its --sent copy in $E2E_WORK/sim-sent.bin) after leaving command mode, and
# more than MIN_BYTES of it.
expect_capture_as_sent() {
  check_failures
  local captures size
  captures=("$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.dat)
  expect_eq "${#captures[@]}" 1 "capture files"
  size=$(python3 "$(dirname "${BASH_SOURCE[0]}")/tools/capture_matches_sent.py" "${captures[0]}" \
    "$E2E_WORK/sim-sent.bin" 2>&1) || fail "capture: $size"
  [ "$size" -gt "$1" ] || fail "capture of only $size bytes"
}

# connect_and_start: picks the simulator's port, connects, and starts reporting.
connect_and_start() {
  drv combo-select 1101 "$E2E_PORT"
  drv click 1103
  wait_eq Disconnect get-text 1103
  drv click 1105
  wait_eq Stop get-text 1105
}

# Starts the program from its folder and waits until its dialog shows.
start_program() {
  check_failures
  [ -z "$E2E_PID" ] || fail "start_program: the program is running already"
  (cd "$E2E_PROGRAM_DIR" && exec "$E2E_WINE_RUN" "./$E2E_EXE") >>"$E2E_WORK/program.out" 2>&1 &
  E2E_PID=$!
  # The first start after the Wine server restarted takes longest.
  drv wait-window "${KOVA_E2E_CLASS:-KOVA_Tevo512Tool}" 60000 >/dev/null
}

# wait_program_exit [SECONDS]: waits for the program's process to end (default 15 s; 0: no
# limit) and sets E2E_EXIT; returns 1 when it is still running.
wait_program_exit() {
  local limit=${1:-15}
  local deadline=$((SECONDS + limit))
  [ -n "$E2E_PID" ] || return 0
  while kill -0 "$E2E_PID" 2>/dev/null; do
    [ "$limit" = 0 ] || [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
  wait "$E2E_PID"
  E2E_EXIT=$?
  E2E_PID=''
}

expect_exit() { # STATUS: the program ends by itself, with that exit status
  check_failures
  wait_program_exit || fail "the program did not end"
  expect_eq "$E2E_EXIT" "$1" "exit status"
}

# answer_boxes [MS]: answers each message box that is open, or opens within MS (default 0), with
# its first button, and tells on stderr what it said.
answer_boxes() {
  local box wait=${1:-0} tries=0
  while [ $tries -lt 5 ] && box=$("$E2E_WINE_RUN" "$E2E_DRIVER" msgbox "$wait" 2>/dev/null); do
    echo "e2e: message box: ${box//$'\n'/; }" >&2
    box=${box#*buttons=}
    "$E2E_WINE_RUN" "$E2E_DRIVER" msgbox-answer "${box%%[ $'\n']*}" 0 >/dev/null 2>&1
    tries=$((tries + 1))
  done
}

# Closes the program like the user does (WM_CLOSE), after answering the message boxes left open;
# kills it when it does not end, which fails the test.
stop_program() {
  [ -n "$E2E_PID" ] || return 0
  answer_boxes 0
  "$E2E_WINE_RUN" "$E2E_DRIVER" close >/dev/null 2>&1
  wait_program_exit 20 && return 0
  echo "the program did not end after WM_CLOSE; killed" >>"$E2E_WORK/failures"
  echo "FAIL: the program did not end after WM_CLOSE; killing it" >&2
  kill -9 "$E2E_PID" 2>/dev/null
  wait "$E2E_PID" 2>/dev/null
  E2E_PID=''
  return 1
}

# screenshot FILE.png: the dialog and its open boxes as they are on the screen.
screenshot() {
  drv screenshot "$E2E_WORK/screenshot.bmp"
  convert "$E2E_WORK/screenshot.bmp" "$1" || fail "cannot convert the screenshot"
  rm -f "$E2E_WORK/screenshot.bmp"
}
