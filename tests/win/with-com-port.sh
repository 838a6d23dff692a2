#!/bin/bash
# with-com-port.sh WINE_RUN PORT PEER... -- COMMAND...
# Starts PEER with "--link PATH" (a program that makes a pseudo-terminal, links its slave to
# PATH and prints "ready": radar-sim or pty-hold), maps the pseudo-terminal to PORT (such as
# COM7) in the Wine prefix, runs COMMAND with KOVA_TEST_PORT=PORT and KOVA_TEST_PEER_PID set to
# the peer's process (for signals to it), then removes the mapping and stops the peer.
set -u
wine_run=$1 port=$2
shift 2
peer=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  peer+=("$1")
  shift
done
shift

work=$(mktemp -d)
link=$work/port
coproc PEER { exec "${peer[@]}" --link "$link"; }
peer_pid=$PEER_PID
read -r line <&"${PEER[0]}"
if [ "$line" != ready ]; then
  echo "with-com-port: the peer did not start" >&2
  exit 1
fi
pty=$(readlink "$link")

remap() { # Wine reads the port table when its server starts.
  "$wine_run" wineserver -k >/dev/null 2>&1
  "$wine_run" wineserver -w >/dev/null 2>&1
}
cleanup() {
  "$wine_run" reg delete 'HKLM\Software\Wine\Ports' /v "$port" /f >/dev/null 2>&1
  remap
  kill "$peer_pid" 2>/dev/null
  wait "$peer_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A server still ending from the test before can make the first try fail.
mapped=0
for _ in 1 2 3; do
  if "$wine_run" reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$pty" /f >/dev/null 2>&1; then
    mapped=1
    break
  fi
  remap
done
[ $mapped = 1 ] || { echo "with-com-port: cannot map $port in the Wine prefix" >&2; exit 1; }
remap
KOVA_TEST_PORT=$port KOVA_TEST_PEER_PID=$peer_pid "$@"
