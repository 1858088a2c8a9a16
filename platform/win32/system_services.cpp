#include "platform/win32/system_services.h"

#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "platform/notify_icon_native.h"
#include "platform/win32/default_sound.h"
#include "platform/win32/text_codec.h"

namespace platform::win32 {

void Win32SystemServices::initCommonControls() { InitCommonControls(); }

// Under an open menu the sound waits for the menu to close; nothing uses its result.
bool Win32SystemServices::playSound(std::wstring_view name, std::uint32_t flags) {
  return afterMenus_.run([this, wide = std::wstring(name), flags] { return playNow(wide, flags); },
                         true);
}

// A path the ANSI code page cannot hold would name another file or none. Its
// short form usually can; failing that, the wide call takes the path as it is.
bool Win32SystemServices::playNow(const std::wstring& name, std::uint32_t flags) {
  const AnsiText ansi = toAnsiCodePage(name);
  if (ansi.exact) return winmm_.playSoundA(ansi.text.c_str(), nullptr, flags) != FALSE;
  const AnsiText shortPath = toAnsiCodePage(shortPathName(name));
  if (shortPath.exact && !shortPath.text.empty()) {
    return winmm_.playSoundA(shortPath.text.c_str(), nullptr, flags) != FALSE;
  }
  return winmm_.playSoundW(name.c_str(), nullptr, flags) != FALSE;
}

// From the resource, never a file; no default sound stands in, since there is none.
bool Win32SystemServices::playBuiltInTone() {
  constexpr WORD kToneResource = 1;
  return afterMenus_.run(
      [this] {
        return winmm_.playSoundW(MAKEINTRESOURCEW(kToneResource), GetModuleHandleW(nullptr),
                                 SND_RESOURCE | SND_SYNC | SND_NODEFAULT) != FALSE;
      },
      true);
}

DefaultSound Win32SystemServices::defaultSound() const { return configuredDefaultSound(); }

bool Win32SystemServices::soundFilePlays(std::wstring_view path) const {
  return isReadableWave(std::wstring(path));
}

bool Win32SystemServices::shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) {
#ifdef _WIN64
  NOTIFYICONDATAA native = toNativeRecord<NOTIFYICONDATAA>(record);
#else
  // On 32-bit Windows the record is the system's own layout and goes as it is.
  static_assert(NOTIFYICONDATAA_V2_SIZE == sizeof(NotifyIconDataA));
  static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(NotifyIconDataA, szTip));
  static_assert(offsetof(NOTIFYICONDATAA, szInfo) == offsetof(NotifyIconDataA, szInfo));
  static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == offsetof(NotifyIconDataA, szInfoTitle));
  static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(NotifyIconDataA, dwInfoFlags));
  NOTIFYICONDATAA native{};
  std::memcpy(&native, &record, sizeof(record));
#endif
  return Shell_NotifyIconA(message, &native) != FALSE;
}

bool Win32SystemServices::setForegroundWindow(std::uint32_t hWnd) {
  return SetForegroundWindow(handleFrom32<HWND>(hWnd)) != FALSE;
}

std::string Win32SystemServices::toAnsi(std::wstring_view text) const {
  return toAnsiCodePage(text).text;
}

}  // namespace platform::win32
