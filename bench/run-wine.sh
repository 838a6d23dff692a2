#!/usr/bin/env bash
# Builds and runs the Windows benchmark under Wine on a virtual display: the distance chart's
# full paint against one BitBlt of the same size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/build" win >/dev/null
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/win/wine-run.sh" "$root/build/win/bin/chart_paint_bench.exe"
