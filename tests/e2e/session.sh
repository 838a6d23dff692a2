#!/bin/bash
# One e2e case inside its display and port mapping (started by run-e2e.sh): starts the program,
# runs the case, then closes the program, keeping the evidence when anything failed.
set -u
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

keep_evidence() {
  mkdir -p "$E2E_FAILURES"
  if "$E2E_WINE_RUN" "$E2E_DRIVER" screenshot "$E2E_FAILURES/screenshot.bmp" 2>/dev/null; then
    convert "$E2E_FAILURES/screenshot.bmp" "$E2E_FAILURES/screenshot.png" && rm -f "$E2E_FAILURES/screenshot.bmp"
  fi
  [ ! -d "$E2E_PROGRAM_DIR/Log" ] || cp -r "$E2E_PROGRAM_DIR/Log" "$E2E_FAILURES/"
  cp "$E2E_RECORD" "$E2E_WORK/failures" "$E2E_WORK/program.out" "$E2E_FAILURES/" 2>/dev/null
  echo "e2e: evidence kept in $E2E_FAILURES" >&2
}

finish() {
  local status=$?
  [ ! -s "$E2E_WORK/failures" ] || status=1
  [ $status = 0 ] || keep_evidence
  stop_program || status=1
  local undo
  for undo in "${E2E_UNDO[@]}"; do eval "$undo"; done
  [ $status != 0 ] || echo "e2e: $E2E_NAME passed" >&2
  exit $status
}
trap finish EXIT

[ "$E2E_START" = 0 ] || start_program
# shellcheck disable=SC1090 # the case named on the command line
source "$E2E_CASE"
