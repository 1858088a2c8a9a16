#!/usr/bin/env bash
# Checks that the product is reproducible: copies the source tree to a temporary folder, builds the
# win32 preset's Tolvane.exe there (a different path, and later than the first build) and compares
# the two files. On a difference it names the first PE section, or header field, that differs.
# usage: check_reproducible.sh <cmake> <source-dir> <exe> <objdump> [cmake configure options...]
set -euo pipefail
cmake=$1 source_dir=$2 exe=$3 objdump=$4
shift 4

work=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
copy=$work/elsewhere/tolvane
mkdir -p "$copy"
tar -C "$source_dir" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$copy" -xf -

echo "first build:  $exe ($(date -u -r "$exe" +%H:%M:%S))"
(cd "$copy" && "$cmake" --preset win32 "$@" >/dev/null && nice "$cmake" --build --preset win32 --target Tolvane >/dev/null)
second=$copy/build/win32/Tolvane.exe
echo "second build: $second ($(date -u -r "$second" +%H:%M:%S))"

first_sum=$(sha256sum <"$exe" | cut -d' ' -f1)
second_sum=$(sha256sum <"$second" | cut -d' ' -f1)
echo "SHA-256 first:  $first_sum"
echo "SHA-256 second: $second_sum"
if [[ $first_sum == "$second_sum" ]]; then
  echo "PASS the second build is byte-identical"
  exit 0
fi

# First differing byte, 0-based; when one file is a prefix of the other, the shorter one's size.
first_diff=$({ cmp -l "$exe" "$second" 2>/dev/null || true; } | awk 'NR == 1 {print $1 - 1}')
if [[ -z $first_diff ]]; then
  first_diff=$(($(stat -c %s "$exe") < $(stat -c %s "$second") ? $(stat -c %s "$exe") : $(stat -c %s "$second")))
fi

# The section holding that byte, by the sections' file offsets (.bss has none).
where="the headers"
while read -r name size offset; do
  ((16#$offset != 0 && 16#$offset <= first_diff)) || continue
  if ((first_diff < 16#$offset + 16#$size)); then
    where=$(printf 'section %s (+0x%x)' "$name" $((first_diff - 16#$offset)))
  else
    where="the padding after section $name"
  fi
done < <("$objdump" -h "$exe" | awk '$1 ~ /^[0-9]+$/ {print $2, $3, $6}' | sort -k3,3)
if [[ $where == "the headers" ]]; then
  pe_header=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
  case $((first_diff - pe_header)) in
    8 | 9 | 10 | 11) where+=" (COFF TimeDateStamp)" ;;
    88 | 89 | 90 | 91) where+=" (optional header CheckSum)" ;;
  esac
fi
printf 'FAIL the second build differs, first at byte 0x%x, in %s\n' "$first_diff" "$where"
exit 1
