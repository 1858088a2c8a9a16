#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/notify_icon_data.h"

namespace platform {

// Whether Windows has a sound to play by default: Configured when the ".Default" application
// event or win.ini's [Sounds] Default names a wave file that can be read, None when neither
// does, Unknown when the check itself failed.
enum class DefaultSound { Configured, None, Unknown };

// PlaySound's flags: synchronous, and with no default sound standing in for a name that fails.
inline constexpr std::uint32_t kSndSync = 0x0000;
inline constexpr std::uint32_t kSndNoDefault = 0x0002;

// What the alarm may be heard with: a name PlaySound is given, or the program's own tone.
struct Sound {
  std::wstring name;
  std::uint32_t flags = kSndSync;
  bool builtInTone = false;
};

// The system calls handlers make directly, beside the controls they address by name.
class SystemServices {
 public:
  virtual void initCommonControls() = 0;
  // Synchronous: the first of `sounds` that plays, each name in the ANSI code page; the own tone
  // comes from the program's resources. Whether one played.
  virtual bool playFirst(std::span<const Sound> sounds) = 0;
  virtual DefaultSound defaultSound() const = 0;
  // Whether `path` names a wave file that can be read (not whether its format plays).
  virtual bool soundFilePlays(std::wstring_view path) const = 0;
  virtual bool shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) = 0;
  virtual bool setForegroundWindow(std::uint32_t hWnd) = 0;
  // The ANSI code page's form of a string, as the ANSI system calls receive it.
  virtual std::string toAnsi(std::wstring_view text) const = 0;
  // The local clock's second count (`secondCount`) at a UTC second, by the zone's rules.
  virtual long long localSecondAt(long long utcSecond) const = 0;
  // One timer that resumes a sleeping system at a UTC second; nothing cancels it. Quiet on failure.
  virtual void setWakeTimer(std::optional<long long> utcSecond, std::wstring_view reason) = 0;
  // Whether the system is kept from idle sleep (never the display).
  virtual void keepSystemRunning(bool on) = 0;

 protected:
  ~SystemServices() = default;
};

}  // namespace platform
