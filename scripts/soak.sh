#!/usr/bin/env bash
# Soak benchmark: starts the real program under Wine beside a minimal window with a 1,000 ms
# clock, measures both idle, then repeats each user action many times on the program and prints
# per action its GDI objects, windows, kernel handles, private memory and CPU time before and
# after. Figures, not a test. Runs the i686 product where this machine runs 32-bit code and
# Wine has its 32-bit loader, else the x86_64 build of the same sources; it says which.
#
# usage: scripts/soak.sh [--actions N] [--alarms N] [--idle-seconds N] [--idle-only] [--markdown]
#        (defaults 1000, 100, 300: 30 to 40 minutes; --actions 20 --alarms 5 --idle-seconds 20
#        is a smoke run of about 2 minutes)
# --markdown prints on stdout only what a page carries: a line naming the command, the date and
# the machine, then the figures as Markdown tables; the details and the build go to stderr.
# The x86_64 run also measures Tolvane-naive.exe (the same window on a plain periodic timer)
# while idle, which shows what the clock-aligned timer costs.
set -euo pipefail
cd "$(dirname "$0")/.."

actions=1000
alarms=100
idle_seconds=300
markdown=()
command="scripts/soak.sh $*"
while [[ $# -gt 0 ]]; do
  case $1 in
    --markdown)
      markdown=(--markdown)
      shift
      continue
      ;;
    --idle-only)
      actions=0
      shift
      continue
      ;;
    --actions) actions=${2:-} ;;
    --alarms) alarms=${2:-} ;;
    --idle-seconds) idle_seconds=${2:-} ;;
    *)
      echo "usage: $0 [--actions N] [--alarms N] [--idle-seconds N] [--idle-only] [--markdown]" >&2
      exit 2
      ;;
  esac
  [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || { echo "$1 needs a positive number" >&2; exit 2; }
  shift 2
done
# In Markdown mode everything but the figures goes to stderr; the figures to the saved stdout.
exec 3>&1
[[ ${#markdown[@]} -eq 0 ]] || exec >&2

scripts/install-deps.sh
wine32_loader=/usr/lib/wine/wine
refusal=$(scripts/runs-32bit.sh) && runs_32bit=yes || runs_32bit=""
if [[ -n $runs_32bit && -x $wine32_loader ]]; then
  preset=win32
  loader=$wine32_loader
  echo "soak: running the i686 product (32-bit code runs here)"
else
  preset=win64
  loader=/usr/lib/wine/wine64
  if [[ -n $runs_32bit ]]; then
    echo "soak: 32-bit code runs here but Wine has no 32-bit loader ($wine32_loader):" \
      "running the x86_64 build of the same sources, NOT the i686 product"
  else
    echo "soak: $refusal: running the x86_64 build of the same sources, NOT the i686 product"
  fi
fi

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Tolvane Tolvane-naive minimal_clock soak_benchmark
idle_only=()
if [[ $preset == win32 ]]; then
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target Tolvane minimal_clock
else
  idle_only=("$PWD/build/win64/Tolvane-naive.exe")
fi

build=$PWD/build/$preset
# Room for the prefix set-up, the idle time and about 2.5 s per action.
export WINE_SESSION_TIMEOUT=$((idle_seconds + actions * 15 + alarms * 10 + 600))
session=(bash tests/e2e/wine-session.sh "$PWD/build/soak-wine" --
  bash bench/soak-session.sh "${markdown[@]}" "$loader" "$build/Tolvane.exe"
  "$build/minimal_clock.exe" "$PWD/build/win64/bench/soak_benchmark.exe" "$actions" "$alarms"
  "$idle_seconds" "${idle_only[@]}")
[[ ${#markdown[@]} -gt 0 ]] || exec "${session[@]}" >&3

bench/run-context.sh start "$command" "build/$preset/Tolvane.exe" "build/$preset/minimal_clock.exe" \
  "${idle_only[@]#"$PWD/"}" >&3
# Wine's C runtime ends its lines with CR LF.
"${session[@]}" | tr -d '\r' >&3
bench/run-context.sh end >&3
