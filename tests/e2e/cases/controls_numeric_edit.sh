# The gate edits take only digits: a letter typed into 1201 leaves its text and shows the tip
# balloon just under the edit.

printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
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
stop_program
