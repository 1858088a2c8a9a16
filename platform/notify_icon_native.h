#pragma once

#include <cstdint>
#include <cstring>

#include "platform/notify_icon_data.h"

namespace platform {

// A 32-bit handle value as a pointer-sized handle: 64-bit Windows sign-extends them.
template <typename Handle>
Handle handleFrom32(std::uint32_t value) {
  return reinterpret_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

// The record in a native layout whose handles are pointer-sized, field by field.
// Fields the record does not have stay zero.
template <typename Native>
Native toNativeRecord(const NotifyIconDataA& record) {
  Native native{};
  native.cbSize = sizeof(Native);
  native.hWnd = handleFrom32<decltype(native.hWnd)>(record.hWnd);
  native.uID = record.uID;
  native.uFlags = record.uFlags;
  native.uCallbackMessage = record.uCallbackMessage;
  native.hIcon = handleFrom32<decltype(native.hIcon)>(record.hIcon);
  std::memcpy(native.szTip, record.szTip, sizeof(record.szTip));
  native.dwState = record.dwState;
  native.dwStateMask = record.dwStateMask;
  std::memcpy(native.szInfo, record.szInfo, sizeof(record.szInfo));
  native.uTimeout = record.uTimeout;
  std::memcpy(native.szInfoTitle, record.szInfoTitle, sizeof(record.szInfoTitle));
  native.dwInfoFlags = record.dwInfoFlags;
  return native;
}

}  // namespace platform
