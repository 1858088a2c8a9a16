#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/optional_api.h"

namespace platform::win32 {

// Takes the program's folder and the current folder out of the DLL search, so a DLL planted beside
// Tolvane.exe (a Downloads folder) or beside a tone file is never loaded, neither by the program
// nor by what the system loads by name on its behalf. Call it before anything else. Windows 7
// without its 2011 loader update lacks SetDefaultDllDirectories; there the current folder at least
// goes, which matters most once the open dialog has moved it to a tone file.
inline void restrictDllSearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault =
      optionalApi<SetDefaultDllDirectoriesFn>(L"kernel32.dll", "SetDefaultDllDirectories");
  if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE) return;
  SetDllDirectoryW(L"");
}

// A system DLL from System32 only; nullptr if it cannot be loaded. The flag needs the same loader
// update; without it the full path keeps the search out.
inline HMODULE loadSystemLibrary(const wchar_t* name) {
  if (const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return module;
  }
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L'\\' + name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace platform::win32
