#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/notify_icon_data.h"
#include "platform/system_services.h"

namespace tray {

// The notification-area icon: one record for the life of the process, and the
// operations that fill it in and hand it to the shell. Shell results are
// ignored, but for the two that tell whether the icon is there to bring the
// window back: without a shell there is simply no icon.
class Tray {
 public:
  explicit Tray(platform::SystemServices& system) : system_(system) {}

  void AddTrayIcon(std::uint32_t hWnd, std::uint32_t icon, std::wstring_view tip);
  void RemoveTrayIcon();
  // True when the shell holds the icon: it answers a change only to an icon it has.
  bool ShowBalloon(std::wstring_view text, std::wstring_view title, std::uint32_t iconKind);
  void ClearBalloon();
  // After the shell restarted or forgot the icon: the same record, added again.
  // True when the shell took it.
  bool ReAddTrayIcon();

  const platform::NotifyIconDataA& record() const { return TrayIconData; }

 private:
  platform::SystemServices& system_;
  platform::NotifyIconDataA TrayIconData{};
};

// Stores `ansi` left-aligned with one NUL after it and spaces in the rest of
// the field; a text too long for the field is cut so that the NUL stays inside.
void fillTextField(std::span<char> field, std::string_view ansi);

}  // namespace tray
