#pragma once

#include "platform/system_services.h"
#include "platform/win32/after_menus.h"
#include "platform/win32/sound_library.h"

namespace platform::win32 {

// The system functions as Windows provides them.
class Win32SystemServices final : public SystemServices {
 public:
  explicit Win32SystemServices(AfterMenus& afterMenus) : afterMenus_(afterMenus) {}

  void initCommonControls() override;
  bool playSound(std::wstring_view name, std::uint32_t flags) override;
  bool playBuiltInTone() override;
  DefaultSound defaultSound() const override;
  bool soundFilePlays(std::wstring_view path) const override;
  bool shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) override;
  bool setForegroundWindow(std::uint32_t hWnd) override;
  std::string toAnsi(std::wstring_view text) const override;

 private:
  bool playNow(const std::wstring& name, std::uint32_t flags);

  AfterMenus& afterMenus_;
  SoundLibrary winmm_;
};

}  // namespace platform::win32
