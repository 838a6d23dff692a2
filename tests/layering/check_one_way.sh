#!/usr/bin/env bash
# Arrows run one way: nothing below the application includes one of its headers.
#   check_one_way.sh ROOT         checks the source tree at ROOT; lists every offending line
#   check_one_way.sh --self-test  shows that a planted include is found and a clean tree passes
set -uo pipefail

lower_folders=(companion device presentation sensitivity controls imaging framework resources)

check() {
  local root=$1 found=0 header folder
  while IFS= read -r header; do
    for folder in "${lower_folders[@]}"; do
      [ -d "$root/src/$folder" ] || continue
      if grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]([^\">]*/)?${header//./\\.}[\">]" \
        "$root/src/$folder"; then
        found=1
      fi
    done
  done < <(find "$root/src/app" -name '*.h' -printf '%f\n' | sort -u)
  if [ "$found" -ne 0 ]; then
    echo "check_one_way: the lines above include a header of src/app from below it" >&2
    return 1
  fi
  echo "check_one_way: no folder below src/app includes its headers"
}

self_test() {
  local tree
  tree=$(mktemp -d)
  trap 'rm -rf "$tree"' RETURN
  mkdir -p "$tree/src/app/main_dialog" "$tree/src/device"
  echo '#pragma once' >"$tree/src/app/main_dialog/dialog.h"
  echo '#include "report.h"' >"$tree/src/device/reader.cpp"
  check "$tree" >/dev/null 2>&1 || { echo "self-test: a clean tree failed" >&2; return 1; }
  echo '  #include "dialog.h"' >>"$tree/src/device/reader.cpp"
  if check "$tree" >/dev/null 2>&1; then
    echo "self-test: a planted include of an application header was not found" >&2
    return 1
  fi
  echo "check_one_way: self-test passed"
}

if [ "${1:-}" = --self-test ]; then
  self_test
else
  check "${1:?usage: check_one_way.sh ROOT | --self-test}"
fi
