#!/usr/bin/env bash
# bench/live-path.sh [--seconds N] [--latency-seconds N] [--startup-runs N] [--out FILE] ...
# The program's live path under Wine against radar-sim (engineering reports, the default
# window): CPU of the program and of wineserver, report-to-screen latency, memory with a
# twelve-hour distance history, start-up and closing, each beside a baseline measured in the
# same run. Prints a markdown table. Uses its own Wine prefix (build/win/bench-wineprefix) and
# stops everything it started; exits non-zero only when the harness itself failed. Options:
# bench/live_path.py --help. Without $DISPLAY it runs under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/build" native win >/dev/null
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" python3 "$root/bench/live_path.py" "$@"
fi
exec python3 "$root/bench/live_path.py" "$@"
