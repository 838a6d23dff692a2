#!/bin/sh
# The program file exports exactly the image functions named in the list, each undecorated,
# and nothing else (no runtime library symbols).
#   exports_test.sh OBJDUMP PROGRAM LIST
set -eu
objdump=$1 program=$2 list=$3
actual=$(mktemp) expected=$(mktemp)
trap 'rm -f "$actual" "$expected"' EXIT

"$objdump" -p "$program" |
  sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort >"$actual"
sort "$list" >"$expected"

count=$(wc -l <"$expected")
if [ "$count" -ne 41 ]; then
  echo "the list names $count functions, not 41" >&2
  exit 1
fi
if ! diff -u "$expected" "$actual"; then
  echo "exports of $program differ from $list (- missing, + extra)" >&2
  exit 1
fi
echo "$program exports exactly the $count image functions"
