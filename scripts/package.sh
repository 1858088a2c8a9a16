#!/usr/bin/env bash
# Makes the portable package for Windows users from the win32 preset's Tolvane.exe:
#   <dist>/Tolvane-<version>-win32.zip  Tolvane.exe, README.txt and LICENSE.txt
#   <dist>/SHA256SUMS                    SHA-256 of the zip and of the Tolvane.exe inside it
# usage: scripts/package.sh [dist-folder]   (default: dist)
#
# The zip is reproducible: fixed order, no extra attributes, fixed permissions, and every entry
# dated SOURCE_DATE_EPOCH, or the last commit's date when that is not set.
set -euo pipefail
cd "$(dirname "$0")/.."
dist=${1:-dist}

die() {
  echo "package: $*" >&2
  exit 1
}

scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Tolvane >/dev/null

version=$(sed -n 's/^ *VALUE "FileVersion", "\([^"]*\)"$/\1/p' resources/tolvane.rc)
[[ -n $version ]] || die "no FileVersion in resources/tolvane.rc"
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || true)}
[[ $epoch =~ ^[0-9]+$ ]] || die "not a git checkout: set SOURCE_DATE_EPOCH to the release date"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp build/win32/Tolvane.exe "$stage/Tolvane.exe"
# Windows line ends, for Notepad.
sed 's/$/\r/' resources/package-readme.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
chmod 0755 "$stage/Tolvane.exe"
chmod 0644 "$stage/README.txt" "$stage/LICENSE.txt"
touch -d "@$epoch" "$stage"/*

mkdir -p "$dist"
zip_name=Tolvane-$version-win32.zip
zip_path=$(cd "$dist" && pwd)/$zip_name
rm -f "$zip_path" # zip would otherwise update the old archive
# Zip stores local time: read the dates in UTC so that the time zone does not show.
(cd "$stage" && TZ=UTC zip -q -X -D -9 "$zip_path" Tolvane.exe README.txt LICENSE.txt)

{
  (cd "$dist" && sha256sum "$zip_name")
  (cd "$stage" && sha256sum Tolvane.exe)
} >"$dist/SHA256SUMS"
echo "package: $dist/$zip_name ($(stat -c %s "$zip_path") bytes)"
cat "$dist/SHA256SUMS"
