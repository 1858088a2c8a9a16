#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/controls.h"

namespace platform::win32 {

// Each control window carries its design name as its control id.
constexpr Ctl fromId(UINT_PTR id) {
  const auto i = static_cast<long long>(id) - controlId(Ctl::Form1);
  return i >= 0 && i < kControlCount ? static_cast<Ctl>(i) : Ctl::Form1;
}

// The hidden labels that name text boxes for screen readers share the id windows give a label
// nothing addresses; no handler can take one for a control.
inline constexpr int kNameLabelId = 0xFFFF;
static_assert(fromId(kNameLabelId) == Ctl::Form1);

inline Ctl fromWindow(HWND window) { return fromId(static_cast<UINT_PTR>(GetDlgCtrlID(window))); }

// Handles travel as 32-bit values, as the window's handlers see them.
inline std::uint32_t toHandle32(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(handle));
}

}  // namespace platform::win32
