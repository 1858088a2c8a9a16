#!/usr/bin/env bash
# Clock benchmark: builds the 64-bit preset, then runs Tolvane.exe (clock-aligned timer) and
# Tolvane-naive.exe (plain 1000 ms timer) side by side under Wine and prints, per program, the
# lag of each displayed second after its boundary, skipped seconds, peak working set and
# start-up time.
#
# usage: scripts/benchmark.sh [seconds]   (default 150; reported figures need at least 120)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-150}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [seconds]" >&2; exit 2; }

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Tolvane Tolvane-naive clock_benchmark

build=$PWD/build/win64
# Room for the prefix set-up, the run itself and closing the programs.
export WINE_SESSION_TIMEOUT=$((seconds + 300))
exec bash tests/e2e/wine-session.sh "$PWD/build/benchmark-wine" -- \
  wine "$build/bench/clock_benchmark.exe" --seconds "$seconds" \
  "$build/Tolvane.exe" "$build/Tolvane-naive.exe"
