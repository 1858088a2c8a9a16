#include "tray/tray.h"

#include <algorithm>

namespace tray {

using namespace platform;

namespace {

constexpr std::uint32_t kAddFlags = kNifMessage | kNifIcon | kNifTip;
constexpr std::uint32_t kBalloonFlags = kAddFlags | kNifInfo;
constexpr std::uint32_t kCallbackMessage = kWmMouseMove;

}  // namespace

void fillTextField(std::span<char> field, std::string_view ansi) {
  if (field.empty()) return;
  const std::size_t kept = std::min(ansi.size(), field.size() - 1);
  std::ranges::copy(ansi.substr(0, kept), field.begin());
  field[kept] = '\0';
  std::ranges::fill(field.subspan(kept + 1), ' ');
}

void Tray::AddTrayIcon(std::uint32_t hWnd, std::uint32_t icon, std::wstring_view tip) {
  TrayIconData.cbSize = sizeof(NotifyIconDataA);
  TrayIconData.hWnd = hWnd;
  TrayIconData.uID = kTrayIconId;
  TrayIconData.uFlags = kAddFlags;
  TrayIconData.uCallbackMessage = kCallbackMessage;
  TrayIconData.hIcon = icon;
  fillTextField(TrayIconData.szTip, system_.toAnsi(tip));
  system_.shellNotifyIcon(kNimAdd, TrayIconData);
}

void Tray::RemoveTrayIcon() { system_.shellNotifyIcon(kNimDelete, TrayIconData); }

bool Tray::ShowBalloon(std::wstring_view text, std::wstring_view title, std::uint32_t iconKind) {
  ClearBalloon();
  TrayIconData.uFlags = kBalloonFlags;
  fillTextField(TrayIconData.szInfo, system_.toAnsi(text));
  fillTextField(TrayIconData.szInfoTitle, system_.toAnsi(title));
  TrayIconData.dwInfoFlags = iconKind;
  return system_.shellNotifyIcon(kNimModify, TrayIconData);
}

// An empty balloon text takes the balloon down.
void Tray::ClearBalloon() {
  TrayIconData.uFlags = kBalloonFlags;
  fillTextField(TrayIconData.szInfo, "");
  fillTextField(TrayIconData.szInfoTitle, "");
  system_.shellNotifyIcon(kNimModify, TrayIconData);
}

bool Tray::ReAddTrayIcon() { return system_.shellNotifyIcon(kNimAdd, TrayIconData); }

}  // namespace tray
