#!/usr/bin/env bash
# clang-format and clang-tidy over the sources, and a schema check of the GitHub workflows.
# The Win32 files are checked against the MinGW headers of the win64 build.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"

# No machine here runs the Windows workflow: a broken one must fail here, not in a fork.
validator=build/tools/action-validator/node_modules/.bin/action-validator
[[ -x $validator ]] || {
  echo "lint: the workflow linter is missing: run scripts/install-deps.sh" >&2
  exit 2
}
mapfile -t workflows < <(git ls-files '.github/workflows/*.yml' '.github/workflows/*.yaml')
for workflow in "${workflows[@]}"; do
  "$validator" "$workflow" || {
    echo "lint: $workflow is not a valid workflow (above: what is wrong, and where)" >&2
    exit 1
  }
done

[[ -f build/host/compile_commands.json && -f build/win64/compile_commands.json ]] || {
  echo "lint: configure the host and win64 presets first" >&2
  exit 2
}
mapfile -t host_sources < <(git ls-files '*.cpp' | grep -E '^(app|tray|platform|tests/unit)/' |
  grep -v -E '^(platform/win32/|app/main.cpp)')
clang-tidy -p build/host --quiet "${host_sources[@]}" 2>/dev/null

gcc_include=$(dirname "$(x86_64-w64-mingw32-g++-win32 -print-libgcc-file-name)")/include/c++
# bench/linux/ holds the benchmarks' Linux-side helpers, checked apart below.
mapfile -t win_sources < <(git ls-files '*.cpp' | grep -E '^(platform/win32/|app/main.cpp|tests/e2e/|tests/support/|tests/planted_dll/|bench/)' |
  grep -v '^bench/linux/')
clang-tidy -p build/win64 --quiet --extra-arg=--target=x86_64-w64-mingw32 \
  --extra-arg=-Wno-unknown-warning-option \
  --extra-arg=-isystem"$gcc_include" --extra-arg=-isystem"$gcc_include/x86_64-w64-mingw32" \
  --extra-arg=-isystem/usr/x86_64-w64-mingw32/include "${win_sources[@]}" 2>/dev/null
# The window watcher needs the X headers, which only the alarm benchmark installs.
linux_helpers=(bench/linux/sound_stamps.cpp)
[[ -f /usr/include/X11/Xlib.h ]] && linux_helpers+=(bench/linux/window_maps.cpp)
clang-tidy --quiet "${linux_helpers[@]}" -- -std=c++20 2>/dev/null
echo "lint: clean"
