#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/notify_icon_data.h"

namespace platform {

// Whether Windows has a sound to play by default: Configured when the ".Default" application
// event or win.ini's [Sounds] Default names a wave file that can be read, None when neither
// does, Unknown when the check itself failed.
enum class DefaultSound { Configured, None, Unknown };

// The system calls handlers make directly, beside the controls they address by name.
class SystemServices {
 public:
  virtual void initCommonControls() = 0;
  // Synchronous; the name goes to the sound service in the ANSI code page.
  virtual bool playSound(std::wstring_view name, std::uint32_t flags) = 0;
  // The program's own tone, from its resources; synchronous too.
  virtual bool playBuiltInTone() = 0;
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
