#include "tray_support.h"

#include <commctrl.h>

#include "remote_memory.h"
#include "text.h"
#include "waiting.h"
#include "window_finding.h"
#include "window_state.h"

namespace e2e {

namespace {

// With no tray manager on the X display, Wine 8 shows its notification area as a top-level
// window "Wine System Tray" with one child window per icon. A tooltip control of the same
// process has a tool on the icon window with the icon's tip; while a balloon shows, a second
// one (style TTS_BALLOON) has a tool on it with the balloon's text.
constexpr wchar_t kTrayTitle[] = L"Wine System Tray";
constexpr wchar_t kTrayClass[] = L"__winex11_standalone_tray";
constexpr wchar_t kIconClass[] = L"__winex11_tray_icon";
constexpr wchar_t kTooltipClass[] = L"tooltips_class32";
constexpr wchar_t kMenuClass[] = L"#32768";

HWND trayWindow() { return findTopWindow(kTrayTitle, 0, {.windowClass = kTrayClass}); }

std::vector<HWND> iconWindows() { return childWindows(trayWindow(), kIconClass); }

std::wstring tipOf(HWND icon) {
  for (const auto& tooltip : tooltipsOn(icon)) {
    if (!isBalloon(tooltip.window)) return tooltip.text;
  }
  return {};
}

}  // namespace

bool isBalloon(HWND tooltip) { return (GetWindowLongPtrW(tooltip, GWL_STYLE) & TTS_BALLOON) != 0; }

// The tooltip controls are owned by the tray window, not by the icon.
std::vector<IconTooltip> tooltipsOn(HWND icon) {
  std::vector<IconTooltip> found;
  if (icon == nullptr) return found;
  for (HWND tooltip :
       topWindows({.windowClass = kTooltipClass, .processId = windowProcessId(icon)})) {
    for (const auto& tool : tooltipTools(tooltip).value_or(std::vector<TooltipTool>{})) {
      if (tool.window == icon) found.push_back({tooltip, tool.text});
    }
  }
  return found;
}

std::string describeTray() {
  const HWND tray = trayWindow();
  if (tray == nullptr) return "no \"Wine System Tray\" window";
  std::string out = std::string("tray ") + (isVisible(tray) ? "visible" : "hidden") + ", icons:";
  for (HWND child = GetWindow(tray, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    out += " [" + utf8(className(child)) + " tip \"" + utf8(tipOf(child)) + "\"" +
           (isVisible(child) ? "" : " hidden") + "]";
  }
  return out;
}

ProgramIcon::ProgramIcon() {
  for (HWND icon : iconWindows()) earlier_.insert(icon);
}

HWND ProgramIcon::find() const {
  for (HWND icon : iconWindows()) {
    if (!earlier_.contains(icon) && tipOf(icon) == kIconTip) return icon;
  }
  return nullptr;
}

HWND ProgramIcon::waitShown(DWORD timeoutMs) const {
  HWND icon = nullptr;
  waitUntil([&] { return isVisible(icon = find()); }, timeoutMs, 50);
  return isVisible(icon) ? icon : nullptr;
}

bool ProgramIcon::waitGone(DWORD timeoutMs) const {
  return waitUntil([&] { return find() == nullptr; }, timeoutMs, 50);
}

std::string rightClickIcon(const TolvaneApp& app, const ProgramIcon& icons) {
  if (const HWND icon = icons.find()) {
    RECT area{};
    GetClientRect(icon, &area);
    const LPARAM centre = MAKELPARAM(area.right / 2, area.bottom / 2);
    PostMessageW(icon, WM_RBUTTONDOWN, MK_RBUTTON, centre);
    PostMessageW(icon, WM_RBUTTONUP, 0, centre);
    return "on the icon's window";
  }
  PostMessageW(app.form(), WM_MOUSEMOVE, platform::kTrayIconId, WM_RBUTTONDOWN);
  return "by the icon's callback posted to the window (icon window not found)";
}

HWND waitForPopupMenu(const TolvaneApp& app, DWORD timeoutMs) {
  HWND menu = nullptr;
  waitUntil(
      [&] {
        const auto menus = topWindows(
            {.windowClass = kMenuClass, .processId = app.processId(), .visibleOnly = true});
        menu = menus.empty() ? nullptr : menus.front();
        return menu != nullptr;
      },
      timeoutMs);
  return menu;
}

}  // namespace e2e
