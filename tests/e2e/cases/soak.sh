# Soak: the program against a module at the line's limit with garbage, broken tails and split
# frames on the line; reporting started and stopped every cycle, the parameters read between
# runs. Nothing may be lost or leak, and the window answers within 100 ms throughout:
#   every capture file holds exactly what the simulator sent while it was open;
#   every report and broken frame of the captures is in the log exactly once, in order;
#   after each Stop, threads and GDI objects are what they were after the second cycle, handles
#   within two of it, and memory has not grown by more than a little heap (KOVA_SOAK_SLACK_KIB);
#   a WM_NULL every 100 ms is answered within 100 ms.
# Prints one "soak:" summary line per check on stderr.
#   KOVA_SOAK_MINUTES   how long (default 1)
#   KOVA_SOAK_CYCLE     seconds per Start/Stop cycle (default 60; 20 for a run under 10 minutes)
#   KOVA_SOAK_READ      a Read after the first cycle and after every that many (default 10; 1
#                       under 10 minutes)

minutes=${KOVA_SOAK_MINUTES:-1}
if [ "$minutes" -ge 10 ]; then cycle=${KOVA_SOAK_CYCLE:-60} read_every=${KOVA_SOAK_READ:-10}; else
  cycle=${KOVA_SOAK_CYCLE:-20} read_every=${KOVA_SOAK_READ:-1}
fi
cycles=$((minutes * 60 / cycle))
[ "$cycles" -ge 3 ] || fail "a soak needs three cycles at least ($minutes min of $cycle s)"
slack_kib=${KOVA_SOAK_SLACK_KIB:-4096}
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)
summary() { echo "soak: $*" >&2; }

printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" DebugMode="1" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
stats=$E2E_PROGRAM_DIR/soak-stats.txt
: >"$stats"
# counts: one "handles gdi threads working-set private" line from the program; the least of three
# a second apart, so that a handle held for a moment is not taken for a leak.
counts() {
  local i
  for i in 1 2 3; do
    touch "$E2E_PROGRAM_DIR/soak-stats.ask"
    while [ -e "$E2E_PROGRAM_DIR/soak-stats.ask" ]; do sleep 0.1; done
    sleep 1
  done
  tail -n 3 "$stats" | awk '
    NR == 1 { for (f = 1; f <= 5; ++f) low[f] = $f }
    { for (f = 1; f <= 5; ++f) if ($f < low[f]) low[f] = $f }
    END { print low[1], low[2], low[3], low[4], low[5] }'
}

start_program
drv combo-select 1101 "$E2E_PORT"
drv click 1103
wait_eq Disconnect get-text 1103
ping_stop=$E2E_WORK/ping.stop
"$E2E_WINE_RUN" "$E2E_DRIVER" ping $((cycles * cycle * 2 + 600)) 100 "Z:${ping_stop//\//\\}" \
  >"$E2E_WORK/ping.txt" 2>"$E2E_WORK/ping-slow.txt" &
pinger=$!

checkpoints=()
reads=0
# In a short run, when each step was taken (ms since the pinger started), to place a slow answer.
soak_start=$(($(date +%s%N) / 1000000))
at() { [ "$minutes" -ge 10 ] || echo "soak: at $(($(date +%s%N) / 1000000 - soak_start)) ms: $*" >&2; }
for ((run = 0; run < cycles; ++run)); do
  began=$SECONDS
  at Start
  drv click 1105
  wait_eq Stop get-text 1105
  at reporting
  sleep $((cycle - 8 > 1 ? cycle - 8 : 1))
  at Stop
  drv click 1105
  E2E_WAIT=10 wait_eq Start get-text 1105
  at stopped
  checkpoints+=("$(counts)")
  # A Read after the first run too: what its result box makes once (an icon, a font) is made
  # before the second cycle's counts, the baseline.
  if ((run == 0 || (run + 1) % read_every == 0)); then
    at Read
    drv click 1210
    expect_msgbox Prompt information "Read Configuration Succefully"
    drv msgbox-answer IDOK
    reads=$((reads + 1))
    at read
  fi
  check_failures
  echo "soak: cycle $((run + 1))/$cycles took $((SECONDS - began)) s; after Stop: ${checkpoints[-1]}" >&2
done
touch "$ping_stop"
wait "$pinger"
closing=$SECONDS
stop_program
summary "closed in $((SECONDS - closing)) s"

# Nothing lost on disk.
captures=("$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.dat)
expect_eq "${#captures[@]}" "$cycles" "capture files"
bytes=$(python3 "$tools/capture_matches_sent.py" "${captures[@]}" "$E2E_WORK/sim-sent.bin" 2>&1) ||
  fail "captures: $bytes"
summary "captures: ${#captures[@]} files, $bytes bytes, each exactly what the simulator sent while it was open: ok"

cat "$E2E_PROGRAM_DIR"/Log/Tevo512Tool_*.log | sed -n 's/^[0-9-]* [0-9:.]* //p' | tr -d '\r' |
  grep -E '^(State=|Tailer TAG Invalid!)' >"$E2E_WORK/logged.txt"
for capture in "${captures[@]}"; do "$E2E_NATIVE_BIN/capture-decode" "$capture"; done >"$E2E_WORK/decoded.txt"
reports=$(grep -c '^State=' "$E2E_WORK/decoded.txt")
broken=$(grep -c '^Tailer' "$E2E_WORK/decoded.txt")
if cmp -s "$E2E_WORK/logged.txt" "$E2E_WORK/decoded.txt"; then
  summary "log: $reports reports and $broken broken frames of the captures, each logged exactly once in order: ok"
else
  fail "log: the logged reports ($(wc -l <"$E2E_WORK/logged.txt") lines) differ from the captures' ($((reports + broken)))"
fi
[ "$reports" -gt $((cycles * 1000)) ] || fail "only $reports reports in $cycles runs"
[ "$broken" -gt 0 ] || fail "no broken frames reached the program"

# Nothing grows from the second cycle on.
read -r handles gdi threads _ private <<<"${checkpoints[1]}"
worst=(0 0 0 0 0)
for ((run = 1; run < cycles; ++run)); do
  read -r -a now <<<"${checkpoints[$run]}"
  for field in 0 1 2 4; do
    [ "${now[$field]}" -le "${worst[$field]}" ] || worst[field]=${now[$field]}
  done
done
resource() { # NAME BASELINE WORST SLACK
  if [ "$3" -le $(($2 + $4)) ]; then
    summary "$1: $2 after the second cycle, at most $3 after a later one: ok"
  else
    fail "$1 grew from $2 after the second cycle to $3"
  fi
}
resource threads "$threads" "${worst[2]}" 0
# Wine's own handles come and go by one or two; a leak grows with the cycles.
resource handles "$handles" "${worst[0]}" 2
summary "handles by type after the second cycle: $(sed -n "$((2 * 3))s/^\([0-9]* \)\{5\}//p" "$stats")"
summary "handles by type at the end: $(tail -n 1 "$stats" | sed 's/^\([0-9]* \)\{5\}//')"
resource "GDI objects" "$gdi" "${worst[1]}" 0
resource "private memory (KiB)" "$private" "${worst[4]}" "$slack_kib"
summary "reads: $reads between runs, each answered"

read -r pings <"$E2E_WORK/ping.txt"
slow=${pings##*slow=}
if [ "$slow" = 0 ]; then summary "window: $pings: ok"; else
  fail "window: $pings ($(tr '\n' ';' <"$E2E_WORK/ping-slow.txt"))"
fi
