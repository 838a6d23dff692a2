#!/bin/bash
# package_zip_test.sh ZIP VERSION DRIVER [EVIDENCE_DIR]
# The zip as a Windows user gets it: it holds one folder KOVA_Tevo512Tool-VERSION with the
# program, its pictures, the example configuration and the guides (readable in Notepad), and
# the program's version resource says VERSION. Unpacked into a fresh folder with a fresh Wine
# prefix of its own there, the program starts from another working folder, shows its window
# with VERSION in the title, and when closed has written appConfig.xml and its Log folder
# beside itself. DRIVER is e2e-driver.exe; on failure EVIDENCE_DIR keeps a screenshot, the
# unpacked folder's files and the program's output. Without $DISPLAY it runs under Xvfb.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
[ $# -ge 3 ] || { sed -n '2,9s/^# \{0,1\}//p' "$0" >&2; exit 2; }
zip=$1 version=$2 driver=$3 evidence=${4:-}
[ -f "$zip" ] || { echo "package test: $zip is missing (build it first)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/kova-package.XXXXXX")
name=KOVA_Tevo512Tool-$version
folder=$work/unpacked/$name
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset KOVA_E2E_CLASS # the driver looks for the program's own window class

failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}
expect_eq() { # ACTUAL EXPECTED WHAT
  [ "$1" = "$2" ] || fail "$3: got '$1', expected '$2'"
}
step() { echo "package test: $* (${SECONDS}s)" >&2; }
drv() { wine "$driver" "$@" 2>>"$work/driver.err"; }

program_pid=''
finish() {
  [ $? = 0 ] || failed=1
  if [ $failed != 0 ] && [ -n "$evidence" ]; then
    rm -rf "$evidence"
    mkdir -p "$evidence"
    if [ -n "$program_pid" ] && drv screenshot "$evidence/screenshot.bmp"; then
      convert "$evidence/screenshot.bmp" "$evidence/screenshot.png" && rm -f "$evidence/screenshot.bmp"
    fi
    [ ! -d "$folder" ] || cp -r "$folder" "$evidence/program"
    cp "$work/program.out" "$work/driver.err" "$evidence/" 2>/dev/null
    echo "package test: evidence kept in $evidence" >&2
  fi
  if [ -n "$program_pid" ]; then
    kill -9 "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  # This prefix's own server and whatever still runs in it.
  [ ! -d "$WINEPREFIX" ] || { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
  rm -rf "$work"
  [ $failed = 0 ] && echo "package test: passed (${SECONDS}s)" >&2
  exit $failed
}
trap finish EXIT
trap 'exit 1' TERM INT # a time-out still cleans up

step "unpacking $(basename "$zip")"
expected_entries=(
  "$name/"
  "$name/Image/"
  "$name/Image/HumanMotion.png"
  "$name/Image/HumanMotionless.png"
  "$name/Image/HumanNobody.png"
  "$name/KOVA_Tevo512Tool.exe"
  "$name/UserGuide-en.txt"
  "$name/UserGuide-zh.txt"
  "$name/appConfig.example.xml"
)
expect_eq "$(unzip -Z1 "$zip" | LC_ALL=C sort)" "$(printf '%s\n' "${expected_entries[@]}")" "zip entries"
unzip -q "$zip" -d "$work/unpacked" || fail "unzip failed"
[ $failed = 0 ] || exit 1

for text in UserGuide-en.txt UserGuide-zh.txt appConfig.example.xml; do
  # Notepad before Windows 10 shows a file without carriage returns as one long line.
  expect_eq "$(grep -c -v $'\r$' "$folder/$text")" 0 "$text: lines without CR LF"
done
for guide in UserGuide-en.txt UserGuide-zh.txt; do
  # Without the byte order mark Notepad may read UTF-8 as the local code page.
  expect_eq "$(head -c 3 "$folder/$guide" | od -An -tx1 | tr -d ' ')" efbbbf "$guide: byte order mark"
done

resource=$(python3 "$here/tools/pe_version.py" "$folder/KOVA_Tevo512Tool.exe") || fail "no version resource"
for key in FILEVERSION PRODUCTVERSION FileVersion ProductVersion; do
  expect_eq "$(sed -n "s/^$key=//p" <<<"$resource")" "$version" "$key of the program"
done
[ $failed = 0 ] || exit 1

step "making a fresh Wine prefix"
"$root/cmake/wine-prefix.sh" "$WINEPREFIX" || { fail "no Wine prefix"; exit 1; }

step "starting the program"
# From another working folder: the program must find and write its files beside itself.
(cd "$work" && exec wine "$folder/KOVA_Tevo512Tool.exe") >"$work/program.out" 2>&1 &
program_pid=$!
drv wait-window KOVA_Tevo512Tool 90000 >/dev/null || { fail "no window: $(cat "$work/driver.err")"; exit 1; }
expect_eq "$(drv title)" "KOVA_Tevo512Tool(v$version)" "title"

step "closing it"
drv close >/dev/null || fail "close: $(cat "$work/driver.err")"
for _ in $(seq 200); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
  fail "the program did not end within 20 s of WM_CLOSE"
  exit 1
fi
wait "$program_pid"
program_pid=''

entries() { find "$1" -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort; }
expect_eq "$(entries "$folder" | tr '\n' ' ')" \
  "Image KOVA_Tevo512Tool.exe Log UserGuide-en.txt UserGuide-zh.txt appConfig.example.xml appConfig.xml " \
  "the program's folder after a run"
expect_eq "$(cat "$folder/appConfig.xml" 2>/dev/null)" \
  $'<?xml version="1.0"?>\n<AppConfig BaudRate="256000" DebugMode="1" />' "appConfig.xml"
logs=$(entries "$folder/Log" 2>/dev/null)
[[ $logs =~ ^Tevo512Tool_[0-9]{8}_[0-9]{6}_[0-9]{3}\.log$ ]] || fail "Log folder: '$logs', expected one log file"
expect_eq "$(entries "$work" | grep -v -x -e unpacked -e 'wineprefix.*' -e program.out -e driver.err)" "" \
  "files the program left in its working folder"
