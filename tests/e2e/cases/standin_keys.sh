# Enter in an edit ends the dialog with OK, Escape with Cancel; one case, two starts of the program.

start_program
drv type 1201 5
drv key 1201 RETURN
expect_exit 1
expect_contains "$(cat "$E2E_PROGRAM_DIR/standin-state.txt")" $'result=1\n' "state after Enter"
expect_contains "$(cat "$E2E_PROGRAM_DIR/standin-state.txt")" $'moving_max=5\n' "state after Enter"

start_program
drv key 1102 ESCAPE
drv wait-exit
expect_exit 2
expect_contains "$(cat "$E2E_PROGRAM_DIR/standin-state.txt")" $'result=2\n' "state after Escape"
