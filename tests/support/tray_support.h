// The program's notification-area icon as Wine 8 shows it with no tray manager on the display,
// shared by the end-to-end driver and the soak benchmark.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/notify_icon_data.h"
#include "tolvane_app.h"

namespace e2e {

inline constexpr wchar_t kIconTip[] = L"Pralvik by Ferrowin";
// Items of the icon's popup menu, counted from 1.
inline constexpr int kShowItem = 1;
inline constexpr int kExitItem = 3;

// A tooltip control of the notification area's process with a tool on an icon, and its text.
struct IconTooltip {
  HWND window = nullptr;
  std::wstring text;
};
std::vector<IconTooltip> tooltipsOn(HWND icon);
bool isBalloon(HWND tooltip);

// The notification area as the driver saw it, for failure details.
std::string describeTray();

// The icons the shell holds for this copy of the program. Icons shown before it started are
// left out: one left behind by an earlier copy that was killed carries the same tip.
class ProgramIcon {
 public:
  ProgramIcon();
  // For a copy that was already running when the driver started: any icon with its tip.
  static ProgramIcon includingEarlier() { return ProgramIcon(std::set<HWND>{}); }

  HWND find() const;
  HWND waitShown(DWORD timeoutMs) const;
  bool waitGone(DWORD timeoutMs) const;

 private:
  explicit ProgramIcon(std::set<HWND> earlier) : earlier_(std::move(earlier)) {}
  std::set<HWND> earlier_;
};

// Right-clicks the icon the way the shell passes a user's click on to the program; says how.
std::string rightClickIcon(const TolvaneApp& app, const ProgramIcon& icons);

// The program's visible popup menu, polled until it shows or `timeoutMs` passed.
HWND waitForPopupMenu(const TolvaneApp& app, DWORD timeoutMs);

}  // namespace e2e
