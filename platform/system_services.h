#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/notify_icon_data.h"

namespace platform {

// The system functions the window calls directly, apart from the forms that
// address controls by name: the tray module needs these and nothing else.
class SystemServices {
 public:
  virtual void initCommonControls() = 0;
  // Synchronous; the name goes to the sound service in the ANSI code page.
  virtual bool playSound(std::wstring_view name, std::uint32_t flags) = 0;
  virtual bool shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) = 0;
  virtual bool setForegroundWindow(std::uint32_t hWnd) = 0;
  // The ANSI code page's form of a string, as the ANSI system calls receive it.
  virtual std::string toAnsi(std::wstring_view text) const = 0;

 protected:
  ~SystemServices() = default;
};

}  // namespace platform
