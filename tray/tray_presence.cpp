#include "tray/tray_presence.h"

#include <cmath>

namespace tray {

using platform::Ctl;

void TrayPresence::Form_Load() {
  tray_.AddTrayIcon(ui_.hWnd(), ui_.iconHandle(), L"Pralvik by Ferrowin");
}

void TrayPresence::Form_Unload() { tray_.RemoveTrayIcon(); }

// The window hides only behind an icon that is there to bring it back. An icon
// the shell lost is added again, carrying the balloon; with no notification
// area at all the window stays minimised on the taskbar.
void TrayPresence::Form_Resize() {
  if (ui_.windowState() != platform::WindowState::Minimised) return;
  if (!tray_.ShowBalloon(L"TOLVANE Active", L"Tolvane", platform::kNiifWarning) &&
      !tray_.ReAddTrayIcon()) {
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
  const auto message =
      static_cast<int>(std::lround(xTwips / static_cast<float>(ui_.twipsPerPixelX())));
  const bool iconClick =
      (message >= platform::kWmLButtonDown && message <= platform::kWmMButtonDblClk) ||
      message == platform::kNinBalloonUserClick;
  if (!iconClick) return;
  system_.setForegroundWindow(ui_.hWnd());
  if (message == platform::kWmRButtonDown) ui_.popupMenu(Ctl::mnutray);
}

void TrayPresence::show_Click() {
  ui_.setWindowState(platform::WindowState::Normal);
  ui_.show();
}

void TrayPresence::notificationAreaCreated() { tray_.ReAddTrayIcon(); }

}  // namespace tray
