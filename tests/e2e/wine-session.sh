#!/usr/bin/env bash
# Runs one command inside a headless Wine session:
#   - a 64-bit Wine prefix at <workdir>/prefix, created once and reused (HOME=<workdir>/home);
#   - a private Xvfb display (or the one in WINE_SESSION_DISPLAY);
#   - a persistent wineserver, warmed up before the command starts;
#   - ALSA output appended as raw PCM to <workdir>/sound.raw, and a default system sound so
#     PlaySound's fallback is audible.
#
# usage: wine-session.sh <workdir> -- <command...>
#
# Environment read:
#   WINE_SESSION_DISPLAY  X display to use instead of starting Xvfb (e.g. :0)
#   WINE_SESSION_TIMEOUT  seconds the command may run before it is killed (default 900)
#   WINE_SESSION_SOUND_READER  a command line that gets each playback's PCM on stdin and
#                         sound.raw's path as its last argument, and appends the PCM to it
#                         (default: cat >>); the alarm benchmark's reader stamps the time too
# Environment given to the command: DISPLAY, HOME, WINEPREFIX, WINEARCH, WINEDEBUG,
#   WINEDLLOVERRIDES, WINE_SESSION_WORKDIR, WINE_SESSION_SOUND (Unix path of sound.raw) and
#   WINE_SESSION_SOUND_WIN (the same file as a Windows path). sound.raw is only ever appended to:
#   compare its size before and after a sound.
# Exit status: the command's; 124 if it timed out; 125 if the session could not be set up.
#
# Sessions sharing a workdir run one after another (a lock in <workdir>): they share one
# wineserver, which each session kills at its end.

set -u -o pipefail

readonly SETUP_FAILED=125

log() { printf 'wine-session: %s\n' "$*" >&2; }
die() {
  log "error: $*"
  exit "$SETUP_FAILED"
}

# Wine maps drive Z: to the Unix root.
windows_path() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

usage() {
  printf 'usage: %s <workdir> -- <command...>\n' "${0##*/}" >&2
  exit 2
}

[[ $# -ge 3 && $2 == "--" && -n $1 ]] || usage
workdir_arg=$1
shift 2

# With stdin closed, the first file a child opens would become its stdin.
{ : <&0; } 2>/dev/null || exec </dev/null

for tool in wine wineserver Xvfb timeout flock; do
  command -v "$tool" >/dev/null || die "'$tool' not found in PATH"
done

# The path is written into .asoundrc, a shell command line, a .reg file and a [Sounds] entry that
# ends at a comma.
check_path() {
  [[ $1 != *[\"\'\\,$'\n']* ]] \
    || die "workdir path must not contain quotes, backslashes, commas or newlines"
}
check_path "$workdir_arg"
mkdir -p "$workdir_arg" || die "cannot create $workdir_arg"
workdir=$(cd "$workdir_arg" && pwd -P) || die "cannot enter $workdir_arg"
check_path "$workdir"

sound_reader=${WINE_SESSION_SOUND_READER:-cat >>}
[[ $sound_reader != *[\"\\$'\n']* ]] \
  || die "WINE_SESSION_SOUND_READER must not contain double quotes, backslashes or newlines"

cmd_timeout=${WINE_SESSION_TIMEOUT:-900}
[[ $cmd_timeout =~ ^[1-9][0-9]*$ ]] \
  || die "WINE_SESSION_TIMEOUT must be a positive number of seconds"

exec 9>"$workdir/session.lock" || die "cannot create $workdir/session.lock"
if ! flock -n 9; then
  log "waiting for another session in $workdir"
  flock -w "$((cmd_timeout + 300))" 9 || die "another session kept $workdir locked"
fi

export HOME="$workdir/home"
export WINEPREFIX="$workdir/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINE_SESSION_WORKDIR="$workdir"
export WINE_SESSION_SOUND="$workdir/sound.raw"
WINE_SESSION_SOUND_WIN=$(windows_path "$WINE_SESSION_SOUND")
export WINE_SESSION_SOUND_WIN
unset WINESERVER WINELOADER
mkdir -p "$HOME" || die "cannot create $HOME"
setup_log="$workdir/session.log"
: >"$setup_log"

xvfb_pid=""
server_up=""
child_pid=""

# Runs from the EXIT trap, which shellcheck does not follow.
# shellcheck disable=SC2317
cleanup() {
  if [[ -n $child_pid ]]; then
    # timeout passes the signal on to the command and kills it if it lingers.
    kill -TERM "$child_pid" 2>/dev/null
    wait "$child_pid" 2>/dev/null
  fi
  if [[ -n $server_up ]]; then
    timeout -k 5 30 wineserver -k >>"$setup_log" 2>&1
  fi
  if [[ -n $xvfb_pid ]]; then
    stop_process "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null
    rm -f "$workdir/xvfb.pid"
  fi
}
trap cleanup EXIT
trap 'log "hangup"; exit 129' HUP
trap 'log "interrupted"; exit 130' INT
trap 'log "terminated"; exit 143' TERM

stop_process() {
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -KILL "$1" 2>/dev/null
}

# Runs a command in the background and waits for it: a signal to this script is then handled at
# once rather than when the command ends.
run_child() {
  "$@" <&0 &
  child_pid=$!
  wait "$child_pid"
  local status=$?
  child_pid=""
  return "$status"
}

# Runs a setup step with a time limit; its output goes to the session log.
step() {
  local limit=$1
  shift
  run_child timeout -k 5 "$limit" "$@" </dev/null >>"$setup_log" 2>&1 9>&-
}

fail_step() {
  tail -n 5 "$setup_log" >&2
  die "$*"
}

# An Xvfb of this workdir that outlived its session (killed with SIGKILL) is recognised by the
# WINE_SESSION_WORKDIR it inherited.
stop_stale_xvfb() {
  local pid
  pid=$(cat "$workdir/xvfb.pid" 2>/dev/null) || return 0
  [[ $pid =~ ^[0-9]+$ && $(cat "/proc/$pid/comm" 2>/dev/null) == Xvfb ]] || pid=""
  if [[ -n $pid ]] && tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null \
    | grep -qxF "WINE_SESSION_WORKDIR=$workdir"; then
    log "stopping Xvfb $pid left by an earlier session"
    stop_process "$pid"
  fi
  rm -f "$workdir/xvfb.pid"
}

start_xvfb() {
  local display_file="$workdir/xvfb.display"
  stop_stale_xvfb
  rm -f "$display_file"
  # -displayfd lets Xvfb pick a free display number and report it once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$display_file" </dev/null >>"$workdir/xvfb.log" 2>&1 9>&- &
  xvfb_pid=$!
  echo "$xvfb_pid" >"$workdir/xvfb.pid"
  local number=""
  for _ in $(seq 200); do
    number=$(<"$display_file")
    [[ $number =~ ^[0-9]+$ ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || {
      xvfb_pid=""
      tail -n 5 "$workdir/xvfb.log" >&2
      die "Xvfb exited"
    }
    sleep 0.1
  done
  [[ $number =~ ^[0-9]+$ ]] || die "Xvfb reported no display within 20 s"
  export DISPLAY=":$number"
}

write_asoundrc() {
  # The file plugin opens a new pipe per playback; appending keeps every sound of the session.
  cat >"$HOME/.asoundrc" <<EOF
pcm.!default {
  type file
  slave.pcm "null"
  file "|$sound_reader '$WINE_SESSION_SOUND'"
  format "raw"
}
EOF
}

write_default_sound() {
  local wav="$workdir/default-sound.wav"
  [[ -s $wav ]] && return 0
  if ! command -v sox >/dev/null; then
    log "warning: sox not found; no default system sound"
    return 0
  fi
  # -D: no dither, so the file is the same on every run.
  sox -D -n -r 22050 -b 16 -c 1 "$wav" synth 0.25 sine 880 vol 0.5 \
    || die "sox could not write $wav"
}

# The default sound is registered twice: as the ".Default" alias (AppEvents), and as win.ini's
# [Sounds] Default, which Wine maps to HKCU\Control Panel\Sounds and which its PlaySound falls
# back to for an empty or unplayable name.
registry_file() {
  local wav_win
  wav_win=$(windows_path "$workdir/default-sound.wav")
  wav_win=${wav_win//\\/\\\\}  # .reg strings escape backslashes
  cat <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"="alsa"

[HKEY_CURRENT_USER\\AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current]
@="$wav_win"

[HKEY_CURRENT_USER\\Control Panel\\Sounds]
"Default"="$wav_win"
EOF
}

prefix_is_complete() {
  [[ -f $WINEPREFIX/system.reg && -f $WINEPREFIX/user.reg && -d $WINEPREFIX/drive_c/windows \
    && -f $WINEPREFIX/.session-applied.reg ]]
}

prepare_prefix() {
  registry_file >"$workdir/session.reg"
  if prefix_is_complete && cmp -s "$workdir/session.reg" "$WINEPREFIX/.session-applied.reg"; then
    return 0
  fi
  local started=$SECONDS
  if prefix_is_complete; then
    log "updating settings of $WINEPREFIX"
  else
    # Also catches a creation that was interrupted part way.
    rm -rf "$WINEPREFIX"
    log "creating Wine prefix in $WINEPREFIX"
    step 300 wine wineboot -i || fail_step "wineboot -i failed"
  fi
  step 120 wine regedit /S "$(windows_path "$workdir/session.reg")" || fail_step "regedit failed"
  # Let the wineserver exit on its own so the registry is on disk before the prefix counts as
  # ready.
  step 60 wineserver -w || fail_step "wineserver did not finish"
  cp "$workdir/session.reg" "$WINEPREFIX/.session-applied.reg" || die "cannot mark prefix ready"
  log "prefix ready in $((SECONDS - started)) s"
}

write_asoundrc
write_default_sound

if [[ -n ${WINE_SESSION_DISPLAY:-} ]]; then
  export DISPLAY=$WINE_SESSION_DISPLAY
else
  start_xvfb
fi
log "display $DISPLAY"

# A wineserver left over from an interrupted session would keep stale state.
server_up=1
step 30 wineserver -k
prepare_prefix

step 30 wineserver -p || fail_step "wineserver -p failed"
step 120 wine wineboot || fail_step "warm-up wineboot failed"

log "running: $*"
run_child timeout -k 10 "$cmd_timeout" "$@" 9>&-
status=$?
if [[ $status -eq 124 ]]; then
  log "command timed out after $cmd_timeout s"
fi
log "exit status $status"
exit "$status"
