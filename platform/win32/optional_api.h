#pragma once

#include <windows.h>

namespace platform::win32 {

// GetProcAddress, as the type the function has.
template <typename Function>
Function exported(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Looked up rather than imported, so the program still starts on a Windows that lacks it.
template <typename Function>
Function optionalApi(const wchar_t* module, const char* name) {
  const HMODULE loaded = GetModuleHandleW(module);
  return loaded != nullptr ? exported<Function>(loaded, name) : nullptr;
}

}  // namespace platform::win32
