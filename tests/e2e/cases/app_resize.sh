# Resizing scales every child and its font with the client area; minimising changes nothing,
# not even while the window is minimised; going back to the first size gives the first layout
# exactly.

printf '<?xml version="1.0"?>\n<AppConfig Language="ENG" />\n' >"$E2E_PROGRAM_DIR/appConfig.xml"
start_program
read -r client_w client_h <<<"$(drv restore)"
# (A drop-down list sets its own height from its font, so it is left out.)
ids="1103 1500 1602 1201 1104"
declare -A before
for id in $ids; do before[$id]=$(drv rect "$id"); done

# Where a child recorded at (x, y, w, h) with font height f lands in a client of cw x ch.
scaled() {
  local x y w h f cw=$2 ch=$3
  read -r x y w h f <<<"$1"
  local left=$((x * cw / client_w)) top=$((y * ch / client_h))
  local right=$(((x + w) * cw / client_w)) bottom=$(((y + h) * ch / client_h))
  # Fonts follow the smaller factor.
  local font
  if ((cw * client_h <= ch * client_w)); then font=$((f * cw / client_w)); else font=$((f * ch / client_h)); fi
  echo "$left $top $((right - left)) $((bottom - top)) $font"
}

# The driver sizes the window; the frame around the client area is what it adds.
read -r probe_w probe_h <<<"$(drv resize 900 700)"
frame_w=$((900 - probe_w)) frame_h=$((700 - probe_h))

for size in "$((client_w * 3 / 2)) $((client_h * 3 / 2))" "$((client_w * 3 / 2)) $client_h" \
  "$((client_w * 4 / 5)) $((client_h * 4 / 5))"; do
  read -r w h <<<"$size"
  read -r new_w new_h <<<"$(drv resize $((w + frame_w)) $((h + frame_h)))"
  for id in $ids; do
    expect_eq "$(drv rect "$id")" "$(scaled "${before[$id]}" "$new_w" "$new_h")" "control $id at client $new_w x $new_h"
  done
done
screenshot "$E2E_WORK/smaller.png"

# Minimising leaves the layout alone. It is read while the window is still minimised:
# restoring lays it out again for the restored size and would hide what minimising did.
declare -A shown
for id in $ids; do shown[$id]=$(drv rect "$id"); done
drv minimize >/dev/null
for id in $ids; do
  expect_eq "$(drv rect "$id")" "${shown[$id]}" "control $id while minimised"
done
drv restore >/dev/null
for id in $ids; do
  expect_eq "$(drv rect "$id")" "${shown[$id]}" "control $id after restoring"
done

drv resize $((client_w + frame_w)) $((client_h + frame_h)) >/dev/null
for id in $ids; do
  expect_eq "$(drv rect "$id")" "${before[$id]}" "control $id back at the first size"
done
stop_program
