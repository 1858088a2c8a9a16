#!/usr/bin/env bash
# Checks a built Tolvane.exe from outside: its size, the PE kind, a GUI program, only
# KnownDLLs imported, and the icon group, version record and manifest present.
# usage: check_exe.sh <objdump> <exe> <PE32|PE32+> <X86|amd64>
# The checks are strings that check() evaluates.
# shellcheck disable=SC2016,SC2034
set -uo pipefail
objdump=$1 exe=$2 kind=$3 arch=$4
# shellcheck source=tests/exe/checks.sh
source "$(dirname "$0")/checks.sh"

headers=$("$objdump" -p "$exe")
# Small is part of the point: one portable file, its own alarm tone included.
size=$(stat -c %s "$exe")
check "is under 300 KB ($size bytes)" '((size < 300 * 1024))'
check "is a $kind executable" 'grep -q "^Magic.*($kind)" <<<"$headers"'
check "is a Windows GUI program" 'grep -q "^Subsystem.*(Windows GUI)" <<<"$headers"'

# A DLL the program imports is looked for in the program's own folder first, unless Windows maps
# it in from System32 whatever the folder holds. These do: kernel32, user32, gdi32, shell32,
# comdlg32, msvcrt and advapi32 are KnownDLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session
# Manager\KnownDLLs, Windows 7 and later), and comctl32 comes from WinSxS, which the manifest's
# dependency on Common Controls 6 makes the loader consult before the folder. Anything else, such
# as winmm, would let a DLL planted beside Tolvane.exe run inside it.
known_dlls="^(kernel32|user32|gdi32|shell32|comctl32|comdlg32|msvcrt|advapi32)\.dll$"
dlls=$(grep "DLL Name:" <<<"$headers" | awk '{print tolower($3)}')
foreign=$(grep -v -E "$known_dlls" <<<"$dlls" || true)
check "imports only KnownDLLs and the manifest's comctl32 (found: $(tr '\n' ' ' <<<"$dlls"))" \
  '[[ -n $dlls && -z $foreign ]]'

# Resource types by id at the top of the resource tree, each with its first name id.
resources=$(awk '{gsub(",", "")} /The .rsrc Resource Directory/{on=1} on && /^[0-9a-f]+   Entry: ID:/{type=$4}
  on && /^[0-9a-f]+     Entry: ID:/ && type != "" {print type, $4; type=""}' <<<"$headers")
check "has icon group 1" 'grep -q "^0x00000e 0x000001$" <<<"$resources"'
check "has version record 1" 'grep -q "^0x000010 0x000001$" <<<"$resources"'
check "has manifest 1" 'grep -q "^0x000018 0x000001$" <<<"$resources"'

text=$(strings -a "$exe"; strings -a -el "$exe")
check "manifest asks for Common Controls 6.0.0.0 for $arch" \
  'grep -q "Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" processorArchitecture=\"$arch\"" <<<"$(tr -s " \n" " " <<<"$text")"'
check "manifest declares per-monitor DPI awareness (V2), system-aware before Windows 10" \
  'grep -q "<dpiAware[^>]*>true</dpiAware>" <<<"$text" && grep -q "<dpiAwareness[^>]*>PerMonitorV2</dpiAwareness>" <<<"$text"'
check "version record reads 1.00" 'grep -qx "1.00" <<<"$text"'

finish
