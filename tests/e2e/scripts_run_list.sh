#!/bin/bash
# scripts/run's answers before it starts anything: the list of serial devices in a fake /dev and
# sysfs (character devices only, legacy UART slots only with a UART, natural order, by-id links),
# and a clear refusal with status 2 of a path that is no usable device.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/kova-run-list.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
check() { # WHAT GOT EXPECTED
  [ "$2" = "$3" ] && return
  printf 'FAIL: %s:\n got:\n%s\n expected:\n%s\n' "$1" "$2" "$3" >&2
  failed=1
}

dev=$work/dev sys=$work/sys
mkdir -p "$dev/serial/by-id" "$sys/ttyS0" "$sys/ttyS1"
for name in ttyUSB10 ttyUSB2 ttyACM0 ttyS0 ttyS1 ttyS2; do ln -s /dev/null "$dev/$name"; done
touch "$dev/ttyUSB3"                          # not a character device
echo 4 >"$sys/ttyS0/type"                     # a 16550A
echo 0 >"$sys/ttyS1/type"                     # an empty slot; ttyS2 has no sysfs entry at all
ln -s ../../ttyUSB2 "$dev/serial/by-id/usb-Adapter_0001-if00-port0"
mkdir "$work/empty"

listing() { KOVA_RUN_DEV_DIR=$1 KOVA_RUN_SYS_DIR=$sys "$root/scripts/run" 2>"$work/stderr"; }
out=$(listing "$dev")
status=$?
check "listing" "$out" \
  "$dev/ttyACM0
$dev/ttyUSB2
$dev/ttyUSB10
$dev/ttyS0
$dev/serial/by-id/usb-Adapter_0001-if00-port0"
check "listing's status" "$status" 0
check "listing's hint" "$(grep -c 'usage: scripts/run DEVICE' "$work/stderr")" 1
out=$(listing "$work/empty")
status=$?
check "empty listing" "$out" ""
check "empty listing's status" "$status" 0
check "empty listing's hint" "$(grep -c 'no serial devices found' "$work/stderr")" 1

# A link to a pseudo-terminal whose owner has gone dangles.
ln -s /dev/pts/999999 "$work/gone"
refusals=(
  "$work/missing|there is no device $work/missing"
  "$work/gone|there is no device $work/gone"
  "$dev/ttyUSB3|$dev/ttyUSB3 is not a serial device"
  "$work|$work is not a serial device"
)
for refusal in "${refusals[@]}"; do
  path=${refusal%%|*} message=${refusal#*|}
  out=$(DISPLAY='' KOVA_RUN_HOME=$work/home "$root/scripts/run" "$path" 2>&1)
  status=$?
  check "status for $path" "$status" 2
  check "message for $path" "$(grep -cF "$message" <<<"$out")" 1
done
KOVA_RUN_HOME=$work/home "$root/scripts/run" "$dev/ttyS0" "$dev/ttyS1" 2>/dev/null
check "status for two devices" "$?" 2
check "a home made for refused devices" "$(ls -A "$work/home" 2>/dev/null)" ""

[ $failed = 0 ] && echo "scripts_run_list: passed" >&2
exit $failed
