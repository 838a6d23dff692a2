#!/bin/bash
# with-com-port.sh WINE_RUN PTY_HOLD PORT COMMAND...
# Holds a pseudo-terminal open, maps it to PORT (such as COM7) in the Wine prefix, runs the
# command with KOVA_TEST_PORT=PORT and removes the mapping again.
set -u
wine_run=$1 pty_hold=$2 port=$3
shift 3

coproc HOLD { "$pty_hold"; }
read -r pty <&"${HOLD[0]}" || { echo "with-com-port: no pseudo-terminal" >&2; exit 1; }

remap() { # Wine reads the port table when its server starts.
  "$wine_run" wineserver -k >/dev/null 2>&1
  "$wine_run" wineserver -w >/dev/null 2>&1
}
cleanup() {
  "$wine_run" reg delete 'HKLM\Software\Wine\Ports' /v "$port" /f >/dev/null 2>&1
  remap
  kill "$HOLD_PID" 2>/dev/null
}
trap cleanup EXIT

"$wine_run" reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$pty" /f >/dev/null 2>&1 || exit 1
remap
KOVA_TEST_PORT=$port "$@"
