#pragma once

#include <windows.h>

#include "platform/win32/optional_api.h"

namespace platform::win32 {

// The DPI of the monitor `window` is on, where the system can tell (Windows 10
// and later); `fallback` elsewhere.
inline int windowDpi(HWND window, int fallback) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      optionalApi<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : fallback;
}

}  // namespace platform::win32
