#!/bin/sh
# Makes a Wine prefix ready for the program, once: fonts, the CJK face replacement, the font
# link for message boxes and tool tips, and unmanaged windows (no stalls without a window
# manager). Safe to call from several processes at once.
set -eu
prefix=$1
[ -f "$prefix/.kova-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.kova-ready" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
rm -rf "$prefix"
wineboot -i >/dev/null 2>&1
wineserver -w
fonts="$prefix/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/" 2>/dev/null || true
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '黑体' /d 'WenQuanYi Zen Hei Sharp' /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
  /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
touch "$prefix/.kova-ready"
