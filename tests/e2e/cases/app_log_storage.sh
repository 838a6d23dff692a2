# A Log folder that cannot be made, and a disk that fills while a capture is written: the
# program runs and reports on, tells the user once each, and what the capture holds is what
# the simulator sent until the disk was full.

resources=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../../src/resources" && pwd)
en_text() { sed -n "s/^ *$1 \"\(.*\)\"\$/\1/p" "$resources/strings_en.rc"; }
unwritable=$(en_text IDS_LOG_FOLDER_UNWRITABLE)
full=$(en_text IDS_CAPTURE_WRITE_FAILED)
[ -n "$unwritable" ] && [ -n "$full" ] || fail "the messages are not in strings_en.rc"
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" DebugMode="1" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
no_box() { # [MS]
  local box
  ! box=$("$E2E_WINE_RUN" "$E2E_DRIVER" msgbox "${1:-1500}" 2>/dev/null) || fail "a box more: $box"
}

# A file where the folder should be: neither the log nor any capture can be made.
echo "not a folder" >"$E2E_PROGRAM_DIR/Log"
start_program
expect_msgbox Error error "$unwritable"
drv msgbox-answer IDOK
connect_and_start
E2E_WAIT=20 wait_match '^[1-9][0-9]*$' get-text 1500
no_box
drv click 1105
wait_eq Start get-text 1105
drv click 1105
wait_eq Stop get-text 1105
no_box
drv click 1105
wait_eq Start get-text 1105
stop_program
expect_eq "$(cat "$E2E_PROGRAM_DIR/Log")" "not a folder" "the file named Log"
rm "$E2E_PROGRAM_DIR/Log"

# A Log folder on a small disk of its own that the log and the capture fill.
mkdir "$E2E_PROGRAM_DIR/Log"
mount -t tmpfs -o size=32k tmpfs "$E2E_PROGRAM_DIR/Log" || fail "cannot mount a small disk"
undo_at_end "umount -l '$E2E_PROGRAM_DIR/Log'"
start_program
no_box 1000 # room on the disk at start
connect_and_start
E2E_WAIT=30 poll_driver match . msgbox 0 >/dev/null
expect_msgbox Error error "$full"
drv msgbox-answer IDOK
# Reporting goes on: the distance follows the person walking in.
E2E_WAIT=20 wait_match '^[1-9][0-9]*$' get-text 1500
sleep 2
no_box
drv click 1105
wait_eq Start get-text 1105
no_box
stop_program
expect_capture_as_sent 1000
