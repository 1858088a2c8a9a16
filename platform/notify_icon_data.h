#pragma once

#include <cstddef>
#include <cstdint>

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

}  // namespace platform
