#pragma once

#include "platform/system_services.h"

namespace platform::win32 {

// The system functions as Windows provides them.
class Win32SystemServices final : public SystemServices {
 public:
  void initCommonControls() override;
  bool playSound(std::wstring_view name, std::uint32_t flags) override;
  bool shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) override;
  bool setForegroundWindow(std::uint32_t hWnd) override;
  std::string toAnsi(std::wstring_view text) const override;
};

}  // namespace platform::win32
