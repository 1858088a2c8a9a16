#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing, and the
# workflow linter from the npm registry. Safe to run again. Where the kernel runs 32-bit code it
# also adds wine32:i386, so the i686 product runs under Wine; where it does not, wine32 stays
# out: /usr/bin/wine prefers it when present and would then fail for every program.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ binutils libgtest-dev clang-format clang-tidy
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb xauth sox imagemagick fonts-wine zip unzip
)

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

# usage: install_missing <apt-get install option>... -- <package>...
install_missing() {
  local options=() missing=()
  while [[ $1 != -- ]]; do
    options+=("$1")
    shift
  done
  shift
  for p in "$@"; do
    installed "$p" || missing+=("$p")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "Installing: ${missing[*]}" >&2
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${options[@]}" "${missing[@]}" \
    >/dev/null
}

install_missing --no-install-recommends -- "${packages[@]}"

# The linter of the Windows workflow (scripts/lint.sh), pinned, inside the build folder so that
# nothing is installed for the whole machine. Node.js and npm come from Debian where the machine
# has none of its own.
linter_version=0.6.0
linter_dir=build/tools/action-validator
command -v npm >/dev/null || install_missing --no-install-recommends -- nodejs npm
if ! grep -qs "\"version\": \"$linter_version\"" \
  "$linter_dir/node_modules/@action-validator/cli/package.json"; then
  echo "Installing the workflow linter @action-validator/cli $linter_version" >&2
  npm install --prefix "$linter_dir" --no-save --no-package-lock --no-audit --no-fund \
    --loglevel=error "@action-validator/cli@$linter_version" \
    "@action-validator/core@$linter_version" >/dev/null
fi

# The probe needs binutils, installed above.
if refusal=$(scripts/runs-32bit.sh); then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Enabling the i386 architecture for wine32" >&2
    $sudo dpkg --add-architecture i386
    $sudo apt-get update -qq
  fi
  # With its recommends: the 32-bit X driver loads the X extension libraries they bring.
  install_missing -- wine32:i386
else
  echo "install-deps: $refusal; wine32 is left out, so only the x86_64 Tolvane.exe runs here." >&2
fi
