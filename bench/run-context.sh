#!/usr/bin/env bash
# The lines that go with figures pasted into a page, so that the page says where they came from:
#   run-context.sh start COMMAND [PROGRAM...]   the command, when, which commit, on what machine
#   run-context.sh end                          the machine's load once the run is over
# Figures taken while other builds run are slower; the load averages show it.
# The backquotes in the formats are Markdown's, not the shell's.
# shellcheck disable=SC2016
set -euo pipefail
cd "$(dirname "$0")/.."

load() {
  local one five fifteen
  read -r one five fifteen _ </proc/loadavg
  echo "$one, $five, $fifteen (1, 5, 15 min)"
}

case ${1:-} in
  start)
    [[ $# -ge 2 ]] || { echo "usage: $0 start COMMAND [PROGRAM...]" >&2; exit 2; }
    command=$2
    shift 2
    system=$(sed -n 's/^PRETTY_NAME="\(.*\)"$/\1/p' /etc/os-release)
    printf '`%s`, run %s at commit %s; %s, %s, %s cores, load average %s at the start' \
      "$command" "$(date -u '+%Y-%m-%d %H:%M UTC')" \
      "$(git describe --always --dirty 2>/dev/null || echo unknown)" \
      "$(wine --version)" "$system" "$(nproc)" "$(load)"
    if [[ $# -gt 0 ]]; then
      programs=$(printf ', `%s`' "$@")
      printf '; programs %s' "${programs#, }"
    fi
    printf '.\n\n'
    ;;
  end) printf '\nLoad average at the end: %s.\n' "$(load)" ;;
  *)
    echo "usage: $0 start COMMAND [PROGRAM...] | $0 end" >&2
    exit 2
    ;;
esac
