#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace platform {

// The notification-area record in the platform's 32-bit ANSI layout with
// balloon fields. On 32-bit Windows it is passed to Shell_NotifyIconA as it is;
// elsewhere the platform translates it into the native record at the call.
struct NotifyIconDataA {
  std::uint32_t cbSize;
  std::uint32_t hWnd;
  std::uint32_t uID;
  std::uint32_t uFlags;
  std::uint32_t uCallbackMessage;
  std::uint32_t hIcon;
  char szTip[128];
  std::uint32_t dwState;
  std::uint32_t dwStateMask;
  char szInfo[256];
  std::uint32_t uTimeout;
  char szInfoTitle[64];
  std::uint32_t dwInfoFlags;
};

static_assert(sizeof(NotifyIconDataA) == 488);
static_assert(offsetof(NotifyIconDataA, szTip) == 24);
static_assert(offsetof(NotifyIconDataA, dwState) == 152);
static_assert(offsetof(NotifyIconDataA, szInfo) == 160);
static_assert(offsetof(NotifyIconDataA, uTimeout) == 416);
static_assert(offsetof(NotifyIconDataA, szInfoTitle) == 420);
static_assert(offsetof(NotifyIconDataA, dwInfoFlags) == 484);

// The program has one icon; the shell knows it by its window and this id.
inline constexpr std::uint32_t kTrayIconId = 1;

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;
inline constexpr std::uint32_t kNifMessage = 0x1;
inline constexpr std::uint32_t kNifIcon = 0x2;
inline constexpr std::uint32_t kNifTip = 0x4;
inline constexpr std::uint32_t kNifInfo = 0x10;
inline constexpr std::uint32_t kNiifWarning = 0x2;

// Mouse messages that the notification-area icon reports through its callback.
inline constexpr int kWmMouseMove = 0x200;
inline constexpr int kWmLButtonDown = 0x201;
inline constexpr int kWmRButtonDown = 0x204;
inline constexpr int kWmMButtonDblClk = 0x209;
inline constexpr int kNinBalloonUserClick = 0x405;

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
