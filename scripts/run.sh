#!/usr/bin/env bash
# Builds Tolvane and starts it: under Wine when not on Windows, on a virtual display when there is
# none. The product is the i686 Tolvane.exe; where the kernel refuses 32-bit code it cannot run,
# and the x86_64 build of the same sources is started instead. Either way it says which.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if refusal=$(scripts/runs-32bit.sh); then
  preset=win32
  echo "Starting the product, the i686 Tolvane.exe (build/win32)." >&2
else
  preset=win64
  echo "Starting the x86_64 Tolvane.exe (build/win64): $refusal." >&2
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Tolvane

exe=build/$preset/Tolvane.exe
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [[ -n ${DISPLAY:-} ]]; then
  exec wine "$exe"
fi
echo "No display: starting Tolvane on a virtual display (xvfb-run)." >&2
exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$exe"
