#pragma once

#include <windows.h>

#include "platform/system_services.h"
#include "platform/win32/after_menus.h"
#include "platform/win32/handles.h"

namespace platform::win32 {

// A FILETIME counts 100 ns from 1601; the neutral code counts milliseconds from 1970.
inline constexpr long long kTicksPerMs = 10'000;
inline constexpr long long kUnixEpochTicks = 116'444'736'000'000'000LL;
inline long long ticksAt(long long msSince1970) {
  return msSince1970 * kTicksPerMs + kUnixEpochTicks;
}
inline long long msSince1970(const FILETIME& t) {
  const ULARGE_INTEGER ticks{{t.dwLowDateTime, t.dwHighDateTime}};
  return (static_cast<long long>(ticks.QuadPart) - kUnixEpochTicks) / kTicksPerMs;
}

//   system_services.cpp  common controls, the notification icon, the foreground, ANSI text,
//                        the local time of a UTC instant, the wake timer and keeping awake
//   sound.cpp            PlaySound, and whether a default sound or a wave file is there
class Win32SystemServices final : public SystemServices {
 public:
  explicit Win32SystemServices(AfterMenus& afterMenus);

  void initCommonControls() override;
  bool playFirst(std::span<const Sound> sounds) override;
  DefaultSound defaultSound() const override;
  bool soundFilePlays(std::wstring_view path) const override;
  bool shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) override;
  bool setForegroundWindow(std::uint32_t hWnd) override;
  std::string toAnsi(std::wstring_view text) const override;
  long long localSecondAt(long long utcSecond) const override;
  void setWakeTimer(std::optional<long long> utcSecond, std::wstring_view reason) override;
  void keepSystemRunning(bool on) override;

 private:
  // `exact`: whether the text converts back unchanged, else a wide call must stand in.
  struct AnsiText {
    std::string text;
    bool exact = false;
  };
  static AnsiText toAnsiCodePage(std::wstring_view text);
  static void freeLibrary(HMODULE module) noexcept { FreeLibrary(module); }
  static void closeHandle(HANDLE handle) noexcept { CloseHandle(handle); }
  bool playNow(const std::wstring& name, DWORD flags) const;
  bool playBuiltInTone() const;

  AfterMenus& afterMenus_;
  // From System32's winmm.dll: it is no KnownDLL, so an import would let a winmm.dll beside the
  // program load first. It loads with the window, so the first tone does not wait for it; loading
  // opens no sound device. Without it every sound returns FALSE: a missing sound must never cost
  // the alarm's message.
  Owned<HMODULE, freeLibrary> winmm_;
  BOOL(WINAPI* playSoundA_)(LPCSTR, HMODULE, DWORD) = nullptr;
  BOOL(WINAPI* playSoundW_)(LPCWSTR, HMODULE, DWORD) = nullptr;
  Owned<HANDLE, closeHandle> wakeTimer_;  // made at its first use; closing it cancels it
};

}  // namespace platform::win32
