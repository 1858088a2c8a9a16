#!/usr/bin/env bash
# Runs the end-to-end driver against the i686 product in a Wine session. Where the kernel refuses
# 32-bit code the run cannot happen at all: it says why and exits 77, which ctest shows as a skip.
# A machine that runs 32-bit code but lacks wine32 fails instead: that is a set-up to repair.
#
# usage: end-to-end-i686.sh <workdir> <e2e_driver.exe> <i686 Tolvane.exe> [scenario]
#        (every scenario without one)
set -uo pipefail

readonly SKIPPED=77

[[ $# -eq 3 || $# -eq 4 ]] || {
  echo "usage: ${0##*/} <workdir> <e2e_driver.exe> <i686 Tolvane.exe> [scenario]" >&2
  exit 2
}
workdir=$1 driver=$2 exe=$3
scenario=("${@:4}")
here=$(cd "$(dirname "$0")" && pwd)

refusal=$("$here/../../scripts/runs-32bit.sh")
case $? in
  0) ;;
  1)
    echo "SKIP end_to_end_i686: $refusal, so the i686 Tolvane.exe cannot run here"
    exit "$SKIPPED"
    ;;
  *)
    echo "FAIL end_to_end_i686: $refusal"
    exit 1
    ;;
esac

if command -v dpkg-query >/dev/null &&
  ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  echo "FAIL end_to_end_i686: this kernel runs 32-bit code but wine32:i386 is not installed" \
    "(scripts/install-deps.sh installs it)"
  exit 1
fi
[[ -f $exe ]] || {
  echo "FAIL end_to_end_i686: $exe not found (build the win32 preset first)"
  exit 1
}

exec bash "$here/wine-session.sh" "$workdir" -- wine "$driver" "$exe" "${scenario[@]}"
