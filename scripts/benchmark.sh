#!/usr/bin/env bash
# Clock benchmark: runs the product, the i686 Tolvane.exe (clock-aligned timer), and an i686
# Tolvane-naive.exe (plain 1000 ms timer) side by side under Wine and prints, per program, the lag
# of each displayed second after its boundary, skipped seconds, peak working set and start-up
# time. Where the kernel refuses 32-bit code the x86_64 pair runs instead; --x86_64 adds that pair
# to the same run where both can run.
#
# usage: scripts/benchmark.sh [seconds] [--x86_64] [--markdown]
#        (default 150 s; reported figures need 120)
# --markdown prints on stdout only what a page carries: a line naming the command, the date and
# the machine, then the figures as a Markdown table; the build and the session log go to stderr.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: $0 [seconds] [--x86_64] [--markdown]" >&2
  exit 2
}
seconds=150
with_x86_64=""
markdown=""
for arg in "$@"; do
  case $arg in
    --x86_64) with_x86_64=1 ;;
    --markdown) markdown=1 ;;
    *)
      [[ $arg =~ ^[1-9][0-9]*$ ]] || usage
      seconds=$arg
      ;;
  esac
done
# In Markdown mode everything but the figures goes to stderr; the figures to the saved stdout.
exec 3>&1
[[ -z $markdown ]] || exec >&2

scripts/install-deps.sh
programs=()
workdir=$PWD/build/benchmark-wine
if refusal=$(scripts/runs-32bit.sh); then
  # A prefix of its own: one made before wine32 was installed would lack the 32-bit system.
  workdir=$PWD/build/benchmark-wine-i686
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target Tolvane Tolvane-naive
  programs+=("$PWD/build/win32/Tolvane.exe" "$PWD/build/win32/Tolvane-naive.exe")
else
  echo "benchmark: $refusal; running the x86_64 pair instead of the i686 product." >&2
  with_x86_64=1
fi

# The watching program is a 64-bit one in either case.
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target clock_benchmark ${with_x86_64:+Tolvane Tolvane-naive}
build=$PWD/build/win64
[[ -n $with_x86_64 ]] && programs+=("$build/Tolvane.exe" "$build/Tolvane-naive.exe")

# Room for the prefix set-up, the run itself and closing the programs.
export WINE_SESSION_TIMEOUT=$((seconds + 300))
session=(bash tests/e2e/wine-session.sh "$workdir" --
  wine "$build/bench/clock_benchmark.exe" --seconds "$seconds" ${markdown:+--markdown}
  "${programs[@]}")
[[ -n $markdown ]] || exec "${session[@]}" >&3

bench/run-context.sh start "scripts/benchmark.sh $*" "${programs[@]#"$PWD/"}" >&3
# Wine's C runtime ends its lines with CR LF.
"${session[@]}" | tr -d '\r' >&3
bench/run-context.sh end >&3
