# The live display of the real dialog while the simulator's walk-in scenario is decoded in the
# program's own process (the feeder, no serial port): indicator, distance readout, the
# 50-report maxima and all three charts. Screenshots in English and Chinese land in
# $E2E_WORK.

export KOVA_FEEDER_SPEED=2

for language in ENG CHS; do
  # One minute of history: the 40-second scenario at double speed covers a third of it.
  printf '<?xml version="1.0"?>\n<AppConfig Language="%s" DistanceUnit="1" DistanceCount="1" />\n' "$language" \
    >"$E2E_PROGRAM_DIR/appConfig.xml"
  start_program
  if [ "$language" = ENG ]; then unit=Second; else unit=秒; fi
  expect_eq "$(drv get-text 1603)" "$unit" "time axis caption ($language)"

  # After 50 reports (5 s) the readouts hold the maxima of the last 50 energies.
  E2E_WAIT=20 wait_match '^[0-9]+$' get-text 1300
  E2E_WAIT=20 wait_match '^[0-9]+$' get-text 1301
  # The person walks in: someone is reported, moving, at a distance.
  E2E_WAIT=20 wait_eq 1 checked 1401
  expect_match "$(drv get-text 1500)" '^[1-9][0-9]*$' "distance readout ($language)"
  # Standing still later in the scenario.
  E2E_WAIT=30 wait_eq 1 checked 1402
  expect_eq "$(drv checked 1401)" 0 "moving radio while standing ($language)"

  drv mouse 1270 1010 # no read-out tool tip over the charts in the picture
  sleep 2
  screenshot "$E2E_WORK/live-display-$language.png"
  stop_program
done
