# The gate edits take only digits: a letter typed into 1201 leaves its text and shows the tip
# balloon just under the edit. Text that never came as typed characters (a paste over the
# whole text, the Delete key) is checked against the limits when the edit is left.

printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" DistanceUnit="1" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
start_program
expect_eq "$(drv popup BALLOONWND)" none "balloon before typing"
drv type 1201 a
expect_eq "$(drv get-text 1201)" 8 "gate edit after a letter"
E2E_WAIT=5 wait_match '^[0-9-]+ [0-9-]+ [0-9]+ [0-9]+$' popup BALLOONWND
read -r bx by bw bh <<<"$(drv popup BALLOONWND)"
read -r ex ey ew eh _ <<<"$(drv rect 1201)"
# The balloon hangs from the edit's bottom edge, at its left.
[ $((by - (ey + eh))) -ge -4 ] && [ $((by - (ey + eh))) -le 4 ] ||
  fail "balloon at $bx $by ($bw x $bh), edit at $ex $ey ($ew x $eh)"
[ $((bx - ex)) -ge -4 ] && [ $((bx - ex)) -le 4 ] || fail "balloon at x $bx, edit at x $ex"
screenshot "$E2E_WORK/numeric-edit-tip.png"

drv paste 1201 99
expect_eq "$(drv get-text 1201)" 99 "gate edit after pasting 99"
drv type 1203 ""
wait_eq 8 get-text 1201
drv key 1204 46 # Delete over the whole text
wait_eq "" get-text 1204
drv type 1203 ""
wait_eq 1 get-text 1204
stop_program
expect_contains "$(cat "$E2E_PROGRAM_DIR/appConfig.xml")" 'DistanceUnit="1"' "the file as written"
