#include "tray/tray.h"

#include <algorithm>

#include "platform/icon_callback.h"

namespace tray {

using namespace platform;

constexpr std::uint32_t kAddFlags = kNifMessage | kNifIcon | kNifTip;
constexpr std::uint32_t kBalloonFlags = kAddFlags | kNifInfo;
constexpr std::uint32_t kCallbackMessage = kWmMouseMove;

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

// The window hides only behind an icon that is there to bring it back. An icon
// the shell lost is added again, carrying the balloon; with no notification
// area at all the window stays minimised on the taskbar.
void TrayPresence::Form_Resize() {
  if (ui_.windowState() != WindowState::Minimised) return;
  if (!tray_.ShowBalloon(L"TOLVANE Active", L"Tolvane", kNiifWarning) && !tray_.ReAddTrayIcon()) {
    return;
  }
  ui_.hide();
  ui_.setEnabled(Ctl::Tmrballoon, true);
}

void TrayPresence::Tmrballoon_Timer() {
  tray_.ClearBalloon();
  ui_.setEnabled(Ctl::Tmrballoon, false);
}

// The icon reports its mouse message as the X coordinate of a mouse move.
// Clicks only bring the window forward; the popup's "Show" restores it.
void TrayPresence::Form_MouseMove(float xTwips) {
  const int message = iconCallbackMessage(xTwips, ui_.twipsPerPixelX());
  const bool iconClick =
      (message >= kWmLButtonDown && message <= kWmMButtonDblClk) || message == kNinBalloonUserClick;
  if (!iconClick) return;
  system_.setForegroundWindow(ui_.hWnd());
  if (message == kWmRButtonDown) ui_.popupMenu(Ctl::mnutray);
}

void TrayPresence::show_Click() {
  ui_.setWindowState(WindowState::Normal);
  ui_.show();
}

}  // namespace tray
