#!/usr/bin/env bash
# Builds Tolvane and starts it: under Wine when not on Windows, on a virtual
# display when there is none. The 64-bit build is the one started here, because
# this kind of machine runs no 32-bit code.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Tolvane

exe=build/win64/Tolvane.exe
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [[ -n ${DISPLAY:-} ]]; then
  exec wine "$exe"
fi
echo "No display: starting Tolvane on a virtual display (xvfb-run)." >&2
exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$exe"
