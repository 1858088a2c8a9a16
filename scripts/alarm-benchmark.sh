#!/usr/bin/env bash
# Alarm benchmark: runs the product, the i686 Tolvane.exe, and bench/minimal_alarm.cpp (a
# waitable timer at the alarm's second, then PlaySound and MessageBox) under Wine, arms alarms in
# each in turn as a user does, and prints per program how long after the alarm's second the tone
# reached the sound system and how long after the tone the box was mapped. Where the kernel
# refuses 32-bit code the x86_64 builds run instead.
#
# usage: scripts/alarm-benchmark.sh [--alarms N] [--cold N] [--markdown]
#        (default 30 alarms and 5 cold starts per program: about 6 minutes)
# --markdown prints on stdout only what a page carries: a line naming the command, the date and
# the machine, then the figures as a Markdown table; the build and the session log go to stderr.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: $0 [--alarms N] [--cold N] [--markdown]" >&2
  exit 2
}
command="scripts/alarm-benchmark.sh $*"
options=()
markdown=""
while [[ $# -gt 0 ]]; do
  case $1 in
    --markdown) markdown=1 ;;
    --alarms | --cold)
      [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || usage
      options+=("$1" "$2")
      shift
      ;;
    *) usage ;;
  esac
  shift
done
# In Markdown mode everything but the figures goes to stderr; the figures to the saved stdout.
exec 3>&1
[[ -z $markdown ]] || exec >&2

scripts/install-deps.sh
# The Linux-side helpers: the watcher of window maps is an X client.
if ! dpkg-query -W -f='${Status}' libx11-dev 2>/dev/null | grep -q "install ok installed"; then
  sudo=""
  [[ $(id -u) -eq 0 ]] || sudo="sudo"
  echo "Installing: libx11-dev" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends libx11-dev \
    >/dev/null
fi
tools=$PWD/build/bench-linux
mkdir -p "$tools"
for tool in sound_stamps window_maps; do
  if [[ ! $tools/$tool -nt bench/linux/$tool.cpp ]]; then
    libraries=()
    [[ $tool == window_maps ]] && libraries=(-lX11)
    c++ -std=c++20 -O2 -Wall -Wextra -Werror "bench/linux/$tool.cpp" -o "$tools/$tool" \
      "${libraries[@]}"
  fi
done

if refusal=$(scripts/runs-32bit.sh); then
  preset=win32
  # A prefix of its own: one made before wine32 was installed would lack the 32-bit system.
  workdir=$PWD/build/alarm-benchmark-wine-i686
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target Tolvane minimal_alarm
else
  echo "alarm-benchmark: $refusal; running the x86_64 builds instead of the i686 product." >&2
  preset=win64
  workdir=$PWD/build/alarm-benchmark-wine
fi
# The driver is a 64-bit program in either case.
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target alarm_benchmark Tolvane minimal_alarm
programs=("$PWD/build/$preset/Tolvane.exe" "$PWD/build/$preset/minimal_alarm.exe")

stamps=$workdir/sound-stamps.log
export WINE_SESSION_SOUND_READER="$tools/sound_stamps $stamps"
export WINE_SESSION_TIMEOUT=1800
session=(bash tests/e2e/wine-session.sh "$workdir" --
  bash bench/alarm-session.sh "$tools/window_maps" "$stamps" "$PWD/build/win64/bench/alarm_benchmark.exe"
  "${options[@]}" ${markdown:+--markdown} "${programs[@]}")
[[ -n $markdown ]] || exec "${session[@]}" >&3

bench/run-context.sh start "$command" "${programs[@]#"$PWD/"}" >&3
# Wine's C runtime ends its lines with CR LF.
"${session[@]}" | tr -d '\r' >&3
bench/run-context.sh end >&3
