#include "checks.h"
#include "input.h"
#include "platform/notify_icon_data.h"
#include "scenarios.h"
#include "text.h"
#include "tray_support.h"
#include "waiting.h"
#include "window_finding.h"
#include "window_state.h"

namespace e2e {

namespace {

bool isShown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

int selectedTab(const TolvaneApp& app) {
  return static_cast<int>(SendMessageW(app.control(Ctl::TabStrip1), TCM_GETCURSEL, 0, 0)) + 1;
}

bool pageShows(const TolvaneApp& app, int tab) {
  const Ctl shown = tab == 1 ? Ctl::Fr2 : Ctl::Fr3;
  const Ctl hidden = tab == 1 ? Ctl::Fr3 : Ctl::Fr2;
  return waitUntil(
      [&] {
        return selectedTab(app) == tab && isShown(app.control(shown)) &&
               !isShown(app.control(hidden));
      },
      3'000);
}

// A left click with the real mouse at the centre of `window`. The driver's input goes to the
// window's thread first, as the user's would once the pointer is over it.
bool mouseClick(HWND window) {
  RECT area{};
  return GetWindowRect(window, &area) && focusWindow(window) &&
         clickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
}

HWND openDialog(const TolvaneApp& app, DWORD timeoutMs) {
  return findTopWindow(
      L"Open", timeoutMs,
      {.windowClass = L"#32770", .processId = app.processId(), .visibleOnly = true});
}

void enterPressesButtons(const TolvaneApp& app) {
  typeText(app.control(Ctl::Text1), L"073000");
  typeText(app.control(Ctl::Text5), L"a");
  pressKeys(app.control(Ctl::Text5), {VK_RETURN});
  typeText(app.control(Ctl::Text5), L"b");
  check("Enter in the message starts a new line", app.text(Ctl::Text5) == L"a\r\nb",
        utf8(app.text(Ctl::Text5)));

  pressKeys(app.control(Ctl::Command1), {VK_RETURN});
  check("Enter on \"Ok\" arms the alarm",
        app.waitForText(Ctl::Label4, L"07:30:00", 3'000) == L"07:30:00");
  pressKeys(app.control(Ctl::Command2), {VK_RETURN});
  check("Enter on \"Reset\" clears the alarm and the fields",
        app.waitForText(Ctl::Label4, L"", 3'000).empty() && app.text(Ctl::Text1).empty());
}

void keysWorkTheTonePage(const TolvaneApp& app) {
  pressChord(app.form(), {VK_CONTROL, VK_TAB});
  check("Ctrl+Tab turns to the tone page", pageShows(app, 2));
  check("the tone page focuses \"Default\" without selecting it; \"Chose tone\" keeps its state",
        focusedWindow(app.form()) == app.control(Ctl::Option1) &&
            SendMessageW(app.control(Ctl::Option1), BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
            isEnabled(app.control(Ctl::Command3)));

  pressKeys(app.control(Ctl::Option1), {VK_DOWN});
  check("Down moves to \"Chose tone\" and selects it, enabling the chooser",
        waitUntil([&] { return isEnabled(app.control(Ctl::Command3)); }, 3'000) &&
            focusedWindow(app.form()) == app.control(Ctl::Option2) &&
            SendMessageW(app.control(Ctl::Option2), BM_GETCHECK, 0, 0) == BST_CHECKED);
  pressKeys(app.control(Ctl::Option2), {VK_UP});
  check("Up moves back to \"Default\" and selects it, disabling the chooser",
        waitUntil([&] { return !isEnabled(app.control(Ctl::Command3)); }, 3'000) &&
            focusedWindow(app.form()) == app.control(Ctl::Option1));
  pressKeys(app.control(Ctl::Option1), {VK_DOWN});
  waitUntil([&] { return isEnabled(app.control(Ctl::Command3)); }, 3'000);

  pressKeys(app.control(Ctl::Command3), {VK_RETURN});
  const HWND dialog = openDialog(app, 10'000);
  check("Enter on \"Chose tone\" opens the open dialog", dialog != nullptr);
  if (dialog != nullptr) PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  check("and opens it once",
        waitUntil([&] { return !IsWindow(dialog); }, 5'000) && openDialog(app, 1'000) == nullptr);

  pressChord(app.form(), {VK_CONTROL, VK_SHIFT, VK_TAB});
  check("Ctrl+Shift+Tab turns back to the alarm page", pageShows(app, 1));
  pressChord(app.form(), {VK_CONTROL, VK_TAB});
  check("Ctrl+Tab from the alarm page turns to the tone page again", pageShows(app, 2));
  pressChord(app.form(), {VK_CONTROL, VK_TAB});
  check("Ctrl+Tab on the last page wraps round to the first", pageShows(app, 1));
}

// The alarm interrupts a popup menu of the notification icon: the box must take the mouse.
void alarmBoxBeatsTheMenu(const TolvaneApp& app) {
  const std::wstring alarm = clockText(4);
  SendMessageW(app.control(Ctl::Label4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(alarm.c_str()));
  Sleep(200);  // a popup opened right after a box may close by itself under Wine
  PostMessageW(app.form(), WM_MOUSEMOVE, platform::kTrayIconId, WM_RBUTTONDOWN);
  const HWND menu = waitForPopupMenu(app, 5'000);
  check("the icon's popup menu is open", menu != nullptr);
  const Box box = waitForBox(app, L"PESAN", 15'000);
  if (!check("the alarm fires while the menu is open", box.window != nullptr)) return;
  check("the menu closed before the box showed", !isVisible(menu));
  const HWND ok = GetDlgItem(box.window, IDOK);
  check("a mouse click answers the box at once",
        mouseClick(ok) && waitUntil([&] { return !IsWindow(box.window); }, 3'000));
  check("the clock runs on after the box", app.nextClockText(3'000).has_value());
}

}  // namespace

void keysScenario(const std::wstring& exe) {
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  enterPressesButtons(*app);
  keysWorkTheTonePage(*app);
  alarmBoxBeatsTheMenu(*app);
  const auto code = app->closeAndConfirm();
  check("the program still ends with code 0", code && *code == 0);
  if (!code) app->process().kill();
}

}  // namespace e2e
