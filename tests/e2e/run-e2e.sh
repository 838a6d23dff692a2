#!/bin/bash
# run-e2e.sh [OPTIONS] CASE.sh [-- RADAR_SIM_ARGS...]
# Runs one end-to-end case against a program under Wine, on a display, with radar-sim on a
# pseudo-terminal mapped to a COM port of the e2e Wine prefix (BUILD/e2e-wineprefix; one case at
# a time, also across ctest runs):
#   BUILD/e2e/NAME/program/   a fresh copy of the program folder; the program runs from here
#   BUILD/e2e/NAME/sim-commands.jsonl   radar-sim's record of the command frames it received
# The case is a bash script sourced after lib.sh (see there for drv, expect_*, start_program).
# When it fails, BUILD/e2e-failures/NAME/ keeps a screenshot, the program's Log folder, the
# record and the messages.
# Options:
#   --build-dir DIR   the Windows build tree (default: build/win of this repository)
#   --native-bin DIR  where radar-sim is (default: build/native/bin of this repository)
#   --program DIR     the program folder to copy (default: BUILD/dist)
#   --exe FILE        the program in it (default: KOVA_Tevo512Tool.exe)
#   --name NAME       the test's name (default: the case file's name without .sh)
#   --port COMn       the port to map (default: COM5)
#   --no-start        the case starts the program itself (start_program), e.g. after preparing
#                     files in its folder
# Without $DISPLAY it runs under Xvfb (1280x1024, 24 bits).
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ -z "${DISPLAY:-}" ]; then
  export E2E_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

build=$root/build/win native_bin=$root/build/native/bin program='' exe=KOVA_Tevo512Tool.exe
name='' port=COM5 start=1
while [ $# -gt 0 ]; do
  case $1 in
    --build-dir) build=$2; shift 2 ;;
    --native-bin) native_bin=$2; shift 2 ;;
    --program) program=$2; shift 2 ;;
    --exe) exe=$2; shift 2 ;;
    --name) name=$2; shift 2 ;;
    --port) port=$2; shift 2 ;;
    --no-start) start=0; shift ;;
    -*) echo "run-e2e: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { sed -n '2,20s/^# \{0,1\}//p' "$0" >&2; exit 2; }
case_file=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
[ "${1:-}" != -- ] || shift
build=$(cd "$build" && pwd)
program=${program:-$build/dist}
name=${name:-$(basename "$case_file" .sh)}

for needed in "$build/e2e-wine-run.sh" "$build/bin/e2e-driver.exe" "$native_bin/radar-sim" "$program/$exe"; do
  [ -e "$needed" ] || { echo "run-e2e: $needed is missing (build it first)" >&2; exit 1; }
done

work=$build/e2e/$name
export E2E_NAME=$name E2E_CASE=$case_file E2E_WORK=$work E2E_PROGRAM_DIR=$work/program E2E_EXE=$exe
export E2E_RECORD=$work/sim-commands.jsonl E2E_PORT=$port E2E_START=$start E2E_NATIVE_BIN=$native_bin
export E2E_FAILURES=$build/e2e-failures/$name E2E_WINE_RUN=$build/e2e-wine-run.sh E2E_DRIVER=$build/bin/e2e-driver.exe
rm -rf "$work" "$E2E_FAILURES"
mkdir -p "$E2E_PROGRAM_DIR"
cp -r "$program/." "$E2E_PROGRAM_DIR/"

exec flock -w 1800 "$build/e2e.lock" "$root/tests/win/with-com-port.sh" "$E2E_WINE_RUN" "$port" \
  "$native_bin/radar-sim" --record "$E2E_RECORD" "$@" -- "$here/session.sh"
