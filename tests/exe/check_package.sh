#!/usr/bin/env bash
# Checks the portable package: makes it twice with scripts/package.sh (the second time later,
# under another umask and time zone), and checks that both zips are the same bytes, that the zip
# holds exactly Tolvane.exe, README.txt and LICENSE.txt, and that its Tolvane.exe is the win32
# preset's build with the SHA-256 that SHA256SUMS gives.
# usage: check_package.sh <work-folder>

# The checks are strings that check() evaluates.
# shellcheck disable=SC2016,SC2034
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1
# shellcheck source=tests/exe/checks.sh
source "$(dirname "$0")/checks.sh"

rm -rf "$work/first" "$work/second"
"$root/scripts/package.sh" "$work/first" >/dev/null || exit 1
sleep 1
(umask 077 && TZ=Pacific/Auckland "$root/scripts/package.sh" "$work/second" >/dev/null) || exit 1

zips=("$work"/first/Tolvane-*-win32.zip)
zip=${zips[0]}
sums=$work/first/SHA256SUMS
listed_sum() { awk -v name="$1" '$2 == name {print $1}' "$sums"; }
hash_of() { sha256sum | cut -d' ' -f1; }

check "a second package is byte-identical" \
  'cmp -s "$zip" "$work/second/${zip##*/}" && cmp -s "$sums" "$work/second/SHA256SUMS"'
check "the zip holds exactly Tolvane.exe, README.txt, LICENSE.txt" \
  '[[ $(unzip -Z1 "$zip" | tr "\n" " ") == "Tolvane.exe README.txt LICENSE.txt " ]]'
exe_sum=$(unzip -p "$zip" Tolvane.exe | hash_of)
check "its Tolvane.exe has the SHA-256 in SHA256SUMS ($exe_sum)" '[[ $exe_sum == "$(listed_sum Tolvane.exe)" ]]'
check "its Tolvane.exe is the win32 build" '[[ $exe_sum == "$(hash_of <"$root/build/win32/Tolvane.exe")" ]]'
check "the zip has the SHA-256 in SHA256SUMS" '[[ $(hash_of <"$zip") == "$(listed_sum "${zip##*/}")" ]]'
license_title=$'MIT License\r'
check "LICENSE.txt is the MIT licence, with Windows line ends" \
  '[[ $(unzip -p "$zip" LICENSE.txt | head -1) == "$license_title" ]]'

finish
