#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/forms.h"
#include "platform/notify_icon_data.h"
#include "platform/system_services.h"

namespace tray {

// The notification-area icon: one record for the life of the process, handed to the shell.
// Only the results that tell whether the icon is there to bring the window back are kept:
// without a shell there is simply no icon.
class Tray {
 public:
  explicit Tray(platform::SystemServices& system) : system_(system) {}

  void AddTrayIcon(std::uint32_t hWnd, std::uint32_t icon, std::wstring_view tip);
  void RemoveTrayIcon() { system_.shellNotifyIcon(platform::kNimDelete, TrayIconData); }
  // True when the shell holds the icon: it answers a change only to an icon it has.
  bool ShowBalloon(std::wstring_view text, std::wstring_view title, std::uint32_t iconKind);
  void ClearBalloon();
  // The same record added again, after the shell restarted or lost the icon; true if it took it.
  bool ReAddTrayIcon() { return system_.shellNotifyIcon(platform::kNimAdd, TrayIconData); }

  const platform::NotifyIconDataA& record() const { return TrayIconData; }

 private:
  platform::SystemServices& system_;
  platform::NotifyIconDataA TrayIconData{};
};

// Stores `ansi` left-aligned with one NUL after it and spaces in the rest of
// the field; a text too long for the field is cut so that the NUL stays inside.
void fillTextField(std::span<char> field, std::string_view ansi);

// Ties the notification-area icon to the window's life, its minimising and its mouse messages.
class TrayPresence {
 public:
  TrayPresence(platform::Forms& ui, platform::SystemServices& system)
      : ui_(ui), system_(system), tray_(system) {}

  void Form_Load() { tray_.AddTrayIcon(ui_.hWnd(), ui_.iconHandle(), L"Pralvik by Ferrowin"); }
  void Form_Unload() { tray_.RemoveTrayIcon(); }
  void Form_Resize();
  void Form_MouseMove(float xTwips);
  void Tmrballoon_Timer();
  void show_Click();
  void notificationAreaCreated() { tray_.ReAddTrayIcon(); }

 private:
  platform::Forms& ui_;
  platform::SystemServices& system_;
  Tray tray_;
};

}  // namespace tray
