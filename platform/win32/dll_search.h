#pragma once

#include <windows.h>

namespace platform::win32 {

// Takes the program's folder and the current folder out of the DLL search, so a DLL planted
// beside Tolvane.exe (a Downloads folder) or beside a tone file is never loaded, neither by the
// program nor by what the system loads by name on its behalf. Call it before anything else.
void restrictDllSearch();

// A system DLL from System32 only, whatever the search order; nullptr if it cannot be loaded.
HMODULE loadSystemLibrary(const wchar_t* name);

}  // namespace platform::win32
