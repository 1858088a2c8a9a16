#!/usr/bin/env bash
# Builds all three presets, checks formatting and lint, and runs every test: the host unit tests, the
# checks of the 32-bit product executable (including a second build that must give the same bytes)
# and of its zip package, and the end-to-end tests of the real program under Wine and Xvfb: the
# x86_64 build, and the i686 product where the kernel runs 32-bit code (a visible skip where it
# does not). Warnings are errors when CI=true.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
werror=OFF
[[ ${CI:-} == true ]] && werror=ON

for preset in host win32 win64; do
  echo "== build $preset" >&2
  cmake --preset "$preset" -DTOLVANE_WERROR="$werror" >/dev/null
  cmake --build --preset "$preset"
done

echo "== lint" >&2
scripts/lint.sh

echo "== test host" >&2
ctest --preset host
echo "== test win32" >&2
ctest --preset win32
echo "== package" >&2
tests/exe/check_package.sh build/package-check
echo "== test win64 (Wine: the x86_64 build and the i686 product)" >&2
ctest --preset win64
