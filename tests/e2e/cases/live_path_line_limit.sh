# Reporting at the line's limit (about 570 engineering reports a second at 256000 baud): the
# window keeps up and answers. When the module pauses its stream (SIGUSR1 to the simulator),
# the readouts show within a second the maxima of the last 50 reports it sent and the
# distance of the last one; the capture is exactly what it sent; closing
# takes less than two seconds with the stream running again.

printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" DebugMode="1" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
simulator=$KOVA_TEST_PEER_PID
sent=$E2E_WORK/sim-sent.bin
now_ms() { echo $(($(date +%s%N) / 1000000)); }

start_program
connect_and_start
E2E_WAIT=20 wait_match '^[0-9]+$' get-text 1300
sleep 4
expect_eq "$(drv get-text 1105)" Stop "Start/Stop while the stream floods in"

kill -USR1 "$simulator"
# What was queued goes out; the stream has paused once the copy stops growing.
last=-1
while size=$(stat -c %s "$sent") && [ "$size" != "$last" ]; do
  last=$size
  sleep 0.3
done
paused=$(now_ms)
reports=$("$E2E_NATIVE_BIN/capture-decode" "$sent" | grep '^State=' | tail -n 50)
expect_eq "$(wc -l <<<"$reports")" 50 "reports sent"
read -r moving motionless distance < <(awk -F'[=, ]+' '
  { m = $6 + 0; s = $10 + 0; if (m > mm) mm = m; if (s > ms) ms = s; d = $12 + 0 }
  END { print mm, ms, d }' <<<"$reports")
E2E_WAIT=3 wait_eq "$moving" get-text 1300
E2E_WAIT=3 wait_eq "$motionless" get-text 1301
E2E_WAIT=3 wait_eq "$distance" get-text 1500
echo "e2e: readouts right $(($(now_ms) - paused)) ms after the stream paused (polled)" >&2

kill -USR2 "$simulator"
sleep 2
asked=$(now_ms)
drv close
wait_program_exit 2 || fail "the window did not close within 2 s at the line's limit"
echo "e2e: closed $(($(now_ms) - asked)) ms after WM_CLOSE" >&2
expect_capture_as_sent 100000
