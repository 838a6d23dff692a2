# appConfig.xml as users and accidents leave it: not XML, UTF-16 with a byte order mark, 50 MB,
# read-only, a folder of that name, absurd values. The program starts every time, shows sane
# values, and keeps the user's file or backs it up before writing its own.

config=$E2E_PROGRAM_DIR/appConfig.xml
defaults_zh="256000 8 8 3 120 连接设备"
shown() { # the baud rate, the farthest gates, the off time, the statistics length, Connect's text
  echo "$(drv get-text 1102) $(drv get-text 1201) $(drv get-text 1202) $(drv get-text 1203) $(drv get-text 1204) $(drv get-text 1103)"
}
fresh() {
  chattr -i "$config" 2>/dev/null
  rm -rf "$config" "$config.bak"
}
# run_once WHAT SHOWN: starts the program (it must show its window), compares what it shows,
# closes it.
run_once() {
  start_program
  expect_eq "$(shown)" "$2" "$1: what shows"
  stop_program
}

fresh
echo 'this is <not XML' >"$config"
cp "$config" "$E2E_WORK/mine"
run_once "not XML" "$defaults_zh"
cmp -s "$config.bak" "$E2E_WORK/mine" || fail "not XML: the backup is not the user's file"
expect_contains "$(cat "$config")" '<AppConfig BaudRate="256000" DebugMode="1" />' "not XML: the new file"
rm "$config.bak"
run_once "not XML, started again" "$defaults_zh"
[ ! -e "$config.bak" ] || fail "not XML: the program's own file did not parse the next time"

fresh
printf '<?xml version="1.0" encoding="UTF-16"?>\n<AppConfig Language="ENG" BaudRate="115200" OffTime="7" />\n' |
  iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$config"
run_once "UTF-16" "115200 8 8 7 120 Connect"
expect_contains "$(cat "$config")" 'Language="ENG" BaudRate="115200" OffTime="7" DebugMode="1"' "UTF-16: the file kept"
[ ! -e "$config.bak" ] || fail "UTF-16: backed up as if it did not parse"

fresh
{
  printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" OffTime="9">\n<!-- '
  head -c 50000000 /dev/zero | tr '\0' x
  printf ' -->\n</AppConfig>\n'
} >"$config"
run_once "50 MB" "256000 8 8 9 120 Connect"
[ "$(stat -c %s "$config")" -gt 50000000 ] || fail "50 MB: the comment was not kept"

fresh
printf '<?xml version="1.0"?>\n<!-- mine -->\n<AppConfig Language="ENG" BaudRate="115200" OffTime="6" />\n' >"$config"
cp "$config" "$E2E_WORK/mine"
chattr +i "$config" || fail "cannot make appConfig.xml read-only"
run_once "read-only" "115200 8 8 6 120 Connect"
cmp -s "$config" "$E2E_WORK/mine" || fail "read-only: the file changed"
chattr -i "$config"

fresh
mkdir "$config"
run_once "a folder" "$defaults_zh"
[ -d "$config" ] && [ ! -e "$config.bak" ] || fail "a folder: it was not left alone"
rmdir "$config"

fresh
printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" BaudRate="-5" DebugMode="0x7" GateCountMax="-9" MotionGateMax="99999999999999" MotionlessGateMax="0x7FFFFFFF" OffTime="-1" DistanceMax="1e308" DistanceCount="0x10000000" DistanceUnit="-2" MotionSensing="300,-1,0x20,abc" MotionlessSensing="">\n<MotionWnd BkColor="red" DrawBkColor="#FF0000" Line0Color="0x" Line1Color="0xFFFFFFFFFFFF"/>\n<DistanceWnd BkColor="RGB(1,2,3)" LineWidth="-40" LineColor="0xZZ"/>\n</AppConfig>\n' >"$config"
start_program
expect_eq "$(shown)" "256000 0 0 0 120 Connect" "absurd: what shows"
# The distance chart's time axis follows the length shown, not the file's.
screenshot "$E2E_WORK/absurd.png"
stop_program
expect_contains "$(cat "$config")" 'BaudRate="256000" DebugMode="1" GateCountMax="-9"' "absurd: the file"
