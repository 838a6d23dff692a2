# Closing, Escape, and Enter in an edit all end the program through the same destruction:
# BaudRate and DebugMode are written, and what the user wrote by hand survives.

hand_written='<?xml version="1.0"?>
<!-- kept by every save -->
<AppConfig Language="ENG" OffTime="0x10" Custom="a &amp; b">
	<MotionWnd BkColor="0xFF112233" />
	<Extra note="mine">text</Extra>
</AppConfig>'

for how in close escape enter; do
  printf '%s\n' "$hand_written" >"$E2E_PROGRAM_DIR/appConfig.xml"
  start_program
  drv set-text 1102 115200
  case $how in
    close) drv close ;;
    escape) drv key 1102 ESCAPE ;;
    enter) drv key 1203 RETURN ;;
  esac
  drv wait-exit 20000
  wait_program_exit 20 || fail "the program did not end after $how"
  saved=$(cat "$E2E_PROGRAM_DIR/appConfig.xml")
  expect_contains "$saved" '<AppConfig Language="ENG" OffTime="0x10" Custom="a &amp; b" BaudRate="115200" DebugMode="1">' "attributes after $how"
  expect_contains "$saved" '<MotionWnd BkColor="0xFF112233" />' "chart element after $how"
  expect_contains "$saved" '<Extra note="mine">text</Extra>' "unknown element after $how"
  expect_contains "$saved" '<!-- kept by every save -->' "comment after $how"
done
