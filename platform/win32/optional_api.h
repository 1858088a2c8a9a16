#pragma once

#include <windows.h>

namespace platform::win32 {

// The function `name` exported by `module`, as the type it has; nullptr when there is none.
template <typename Function>
Function exported(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A system function that older Windows lacks, looked up when needed rather
// than imported, so the program still starts there; nullptr where it is missing.
template <typename Function>
Function optionalApi(const wchar_t* module, const char* name) {
  const HMODULE loaded = GetModuleHandleW(module);
  if (loaded == nullptr) return nullptr;
  return exported<Function>(loaded, name);
}

}  // namespace platform::win32
