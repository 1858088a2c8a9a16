#!/usr/bin/env bash
# The soak benchmark inside a Wine session (tests/e2e/wine-session.sh): starts the program and
# the minimal clock through the Wine loader itself, so each one's Unix process id is known.
# First the soak driver runs with Wine's GDI handle-table trace on in both; then fresh copies of
# both, untraced, are measured side by side while idle.
#
# usage: soak-session.sh [--markdown] LOADER PROGRAM.exe MINIMAL.exe soak_benchmark.exe ACTIONS
#                        ALARMS IDLE_S [IDLE_ONLY.exe...]
# ACTIONS 0 skips the soak. Programs after IDLE_S are measured beside the others while idle.
# --markdown prints the tables as Markdown to paste, the soak's details on stderr.
set -euo pipefail
markdown=()
if [[ ${1:-} == --markdown ]]; then
  markdown=(--markdown)
  shift
fi
[[ $# -ge 7 ]] || {
  echo "usage: $0 [--markdown] loader program minimal bench actions alarms idle [idle-only...]" >&2
  exit 2
}
loader=$1 program=$2 minimal=$3 bench=$4 actions=$5 alarms=$6 idle_seconds=$7
shift 7
idle_programs=("$program" "$minimal" "$@")
dir=$WINE_SESSION_WORKDIR
settle_seconds=20

windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Utime + stime of the whole process, in clock ticks (1/100 s).
cpu_ticks() {
  local stat
  stat=$(<"/proc/$1/stat")
  stat=${stat##*) }
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}

# Voluntary and involuntary context switches of all the process's threads: each is the thread
# going to sleep or being put aside, so their count per second is the wake-ups per second.
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null \
    | awk '/^(voluntary|nonvoluntary)_ctxt_switches:/ { n += $2 } END { print n + 0 }'
}

status=0
if [[ $actions -gt 0 ]]; then
  # The soak: both programs with Wine's GDI handle-table trace on.
  WINEDEBUG=+gdi "$loader" "$program" 2>"$dir/program-gdi.log" &
  program_pid=$!
  WINEDEBUG=+gdi "$loader" "$minimal" 2>"$dir/minimal-gdi.log" &
  traced_minimal_pid=$!
  sleep "$settle_seconds"
  wine "$bench" --actions "$actions" --alarms "$alarms" "${markdown[@]}" \
    --program "$program_pid" "$(windows_path "$dir/program-gdi.log")" \
    --reference "$traced_minimal_pid" "$(windows_path "$dir/minimal-gdi.log")" || status=$?
  kill "$traced_minimal_pid" "$program_pid" 2>/dev/null || true
  wait "$traced_minimal_pid" "$program_pid" 2>/dev/null || true
fi

# Idle: fresh copies without the trace, which costs CPU of its own.
declare -a idle_pids
for exe in "${idle_programs[@]}"; do
  "$loader" "$exe" 2>/dev/null &
  idle_pids+=($!)
done
# Wine polls the control under a resting pointer many times a second.
wine "$bench" --park-pointer
sleep "$settle_seconds"
echo
echo "idle: windows shown side by side, nothing touched, the pointer elsewhere, $idle_seconds s"
declare -A cpu0 sw0
for pid in "${idle_pids[@]}"; do
  cpu0[$pid]=$(cpu_ticks "$pid")
  sw0[$pid]=$(switches "$pid")
done
sleep "$idle_seconds"
# The same figures aligned in columns, or as a Markdown table.
row_format='%-20s %10s %12s %8s\n'
if [[ ${#markdown[@]} -gt 0 ]]; then
  row_format='| %s | %s | %s | %s |\n'
  echo
fi
# shellcheck disable=SC2059 # the format is one of the two above
printf "$row_format" program "CPU s/min" "wake-ups/s" threads
[[ ${#markdown[@]} -eq 0 ]] || echo "|---|--:|--:|--:|"
for i in "${!idle_pids[@]}"; do
  pid=${idle_pids[$i]}
  cpu1=$(cpu_ticks "$pid")
  sw1=$(switches "$pid")
  threads=$(find "/proc/$pid/task" -mindepth 1 -maxdepth 1 | wc -l)
  figures=$(awk -v c=$((cpu1 - cpu0[$pid])) -v w=$((sw1 - sw0[$pid])) -v s="$idle_seconds" \
    'BEGIN { printf "%.3f %.2f", c / 100 / (s / 60), w / s }')
  read -r cpu wakeups <<<"$figures"
  # shellcheck disable=SC2059
  printf "$row_format" "${idle_programs[$i]##*/}" "$cpu" "$wakeups" "$threads"
done
exit "$status"
