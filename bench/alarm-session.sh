#!/usr/bin/env bash
# The alarm benchmark inside a Wine session (tests/e2e/wine-session.sh) whose sound sink is read
# by bench/linux/sound_stamps: starts the X window watcher, runs the driver with both logs, and
# ends the watcher.
#
# usage: alarm-session.sh WINDOW_MAPS STAMPS alarm_benchmark.exe [OPTION...] PROGRAM.exe MINIMAL.exe
set -euo pipefail
[[ $# -ge 5 ]] || {
  echo "usage: $0 window_maps stamps alarm_benchmark.exe [option...] program.exe minimal.exe" >&2
  exit 2
}
watcher=$1 stamps=$2 bench=$3
shift 3
maps=$WINE_SESSION_WORKDIR/window-maps.log

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

: >"$stamps"
rm -f "$maps"
"$watcher" "$maps" &
watcher_pid=$!
trap 'kill "$watcher_pid" 2>/dev/null; wait "$watcher_pid" 2>/dev/null || true' EXIT
# The log appears once the watch is on.
for _ in $(seq 100); do
  [[ -e $maps ]] && break
  sleep 0.05
done
[[ -e $maps ]] || {
  echo "alarm-session: the window watcher did not start" >&2
  exit 1
}

options=("${@:1:$#-2}")
wine "$bench" "${options[@]}" "$(windows_path "$stamps")" "$(windows_path "$maps")" \
  "${@: -2}"
