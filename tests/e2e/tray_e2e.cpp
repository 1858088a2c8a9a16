#include <algorithm>

#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "remote_memory.h"
#include "scenarios.h"
#include "text.h"
#include "tray_support.h"
#include "waiting.h"
#include "window_state.h"

namespace e2e {

namespace {

struct Balloon {
  HWND window = nullptr;
  std::wstring text;
  std::vector<std::wstring> titles;
};

Balloon shownBalloon(HWND icon) {
  for (const auto& tooltip : tooltipsOn(icon)) {
    if (!isBalloon(tooltip.window) || !isVisible(tooltip.window)) continue;
    Balloon balloon;
    balloon.window = tooltip.window;
    balloon.text = tooltip.text;
    balloon.titles = tooltipTitles(tooltip.window);
    return balloon;
  }
  return {};
}

// Hidden windows get no taskbar button; neither do owned or tool windows unless they ask for one.
bool hasTaskbarButton(HWND window) {
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (!IsWindowVisible(window)) return false;
  if ((exStyle & WS_EX_APPWINDOW) != 0) return true;
  return GetWindow(window, GW_OWNER) == nullptr && (exStyle & WS_EX_TOOLWINDOW) == 0;
}

// Right-clicks the icon and picks the popup menu's item at `position` (1 = the first).
void chooseFromIconMenu(const TolvaneApp& app, const ProgramIcon& icons, int position,
                        const std::string& purpose) {
  const std::string how = rightClickIcon(app, icons);
  const HWND menu = waitForPopupMenu(app, 10'000);
  if (!check("right-click " + how + " opens the popup menu (" + purpose + ")", menu != nullptr,
             describeTray())) {
    return;
  }
  for (int i = 0; i < position; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
  check("the popup menu closes after a choice (" + purpose + ")",
        waitUntil([&] { return !isVisible(menu); }, 5'000));
}

void minimise(const TolvaneApp& app) { PostMessageW(app.form(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }

std::string seconds(ULONGLONG ms) {
  return std::to_string(ms / 1000) + "." + std::to_string(ms % 1000 / 100) + " s";
}

// Minimising hides the window behind the icon and announces it with a balloon for about 6 s.
void minimiseShowsBalloon(const TolvaneApp& app, const ProgramIcon& icons) {
  const ULONGLONG start = GetTickCount64();
  minimise(app);
  check("minimising hides the window",
        waitUntil([&] { return !isVisible(app.form()); }, 5'000) && IsIconic(app.form()),
        isVisible(app.form()) ? "still visible" : "hidden but not minimised");
  check("the hidden window has no taskbar button", !hasTaskbarButton(app.form()));

  const HWND icon = icons.find();
  Balloon balloon;
  waitUntil([&] { return (balloon = shownBalloon(icon)).window != nullptr; }, 10'000, 20);
  const ULONGLONG shownAt = GetTickCount64() - start;
  if (!check("a balloon shows on the icon", balloon.window != nullptr, describeTray())) return;
  check("the balloon reads \"TOLVANE Active\"", balloon.text == L"TOLVANE Active",
        utf8(balloon.text));
  std::string titles;
  for (const auto& title : balloon.titles) titles += "\"" + utf8(title) + "\" ";
  check("the balloon is titled \"Tolvane\"",
        std::find(balloon.titles.begin(), balloon.titles.end(), L"Tolvane") != balloon.titles.end(),
        titles.empty() ? "no title read" : "read " + titles);

  const bool gone = waitUntil([&] { return !isVisible(balloon.window); }, 15'000, 20);
  const ULONGLONG goneAt = GetTickCount64() - start;
  // Wine shows a balloon 2 s after it is asked for and takes it down itself 10 s later, so a
  // balloon gone before 11 s was taken down by the program; its timer runs 6 s.
  check("the balloon goes about 6 s after minimising", gone && goneAt >= 5'000 && goneAt < 11'000,
        "shown at " + seconds(shownAt) + (gone ? ", gone at " + seconds(goneAt) : ", still shown"));
}

// The point nearest the window's right edge, halfway down, where a press grabs the sizing border.
std::optional<POINT> rightBorder(HWND form) {
  const auto frame = windowRect(form);
  if (!frame) return std::nullopt;
  const LONG y = (frame->top + frame->bottom) / 2;
  for (LONG x = frame->right - 1; x > frame->right - 12; --x) {
    DWORD_PTR hit = 0;
    SendMessageTimeoutW(form, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                        kMessageTimeoutMs, &hit);
    if (hit == HTRIGHT) return POINT{x, y};
  }
  return std::nullopt;
}

// Dragging the sizable border resizes the window; only minimising hides it behind a balloon.
void borderDragKeepsTheWindow(const TolvaneApp& app, const ProgramIcon& icons) {
  focusWindow(app.form());
  const auto border = rightBorder(app.form());
  const auto before = windowRect(app.form());
  if (!check("the window has a sizing border on its right edge", border && before)) return;
  dragMouse(*border, {border->x + 60, border->y});
  LONG grown = 0;
  // The program may take the last moves a moment after the button goes up.
  waitUntil(
      [&] {
        const auto after = windowRect(app.form());
        grown = after ? (after->right - after->left) - (before->right - before->left) : 0;
        return grown >= 30;
      },
      3'000);
  check("dragging the border resizes the window", grown >= 30,
        "width grew by " + std::to_string(grown) + " px");
  const HWND icon = icons.find();
  const bool balloon = waitUntil([&] { return shownBalloon(icon).window != nullptr; }, 3'000, 50);
  check("after the resize the window stays shown and no balloon rises",
        isVisible(app.form()) && !IsIconic(app.form()) && !balloon,
        balloon ? describeTray() : "window hidden or minimised");
}

// The end of the session asks first, as closing does; Yes lets the session end and the program
// go with it. The query waits on the box, so its answer comes back through a callback.
void sessionEndAnsweredYes(const std::wstring& exe) {
  const ProgramIcon icons;
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  icons.waitShown(10'000);
  struct Answer {
    bool given = false;
    LRESULT value = 0;
  } answer;
  SendMessageCallbackW(
      app->form(), WM_QUERYENDSESSION, 0, 0,
      [](HWND, UINT, ULONG_PTR data, LRESULT value) {
        auto* received = reinterpret_cast<Answer*>(data);
        received->given = true;
        received->value = value;
      },
      reinterpret_cast<ULONG_PTR>(&answer));
  const Box box = waitForBox(*app, L"Exit?", 10'000);
  check("the end of the session asks \"Exit?\"", box.window != nullptr);
  answerMessageBox(box.window, IDYES);
  waitUntil(
      [&] {
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        return answer.given;
      },
      10'000);
  check("Yes lets the session end", answer.given && answer.value != FALSE,
        answer.given ? "answered FALSE" : "no answer");
  SendMessageTimeoutW(app->form(), WM_ENDSESSION, answer.value != FALSE, 0, SMTO_ABORTIFHUNG,
                      10'000, nullptr);
  const auto code = app->process().waitExit(10'000);
  check("the end of the session ends the program with code 0", code && *code == 0,
        code ? std::to_string(*code) : "still running");
  check("and its icon is gone", icons.waitGone(5'000), describeTray());
  if (!code) app->process().kill();
}

}  // namespace

void trayScenario(const std::wstring& exe) {
  const ProgramIcon icons;
  auto app = TolvaneApp::start(exe);
  if (!app) return;

  check("the icon shows in the notification area with the tip \"Pralvik by Ferrowin\"",
        icons.waitShown(10'000) != nullptr, describeTray());

  borderDragKeepsTheWindow(*app, icons);
  minimiseShowsBalloon(*app, icons);

  chooseFromIconMenu(*app, icons, kShowItem, "Show");
  check("Show brings the window back, restored",
        waitUntil([&] { return isVisible(app->form()) && !IsIconic(app->form()); }, 5'000));

  // The shell knows an icon by its window and ID; when the shell restarts, every icon is gone
  // and programs hear "TaskbarCreated".
  NOTIFYICONDATAW removal{};
  removal.cbSize = sizeof removal;
  removal.hWnd = app->form();
  removal.uID = platform::kTrayIconId;
  const bool removed = Shell_NotifyIconW(NIM_DELETE, &removal) != FALSE;
  check("the icon goes when the shell drops it", removed && icons.waitGone(5'000),
        removed ? describeTray() : "NIM_DELETE failed");
  PostMessageW(app->form(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  check("\"TaskbarCreated\" brings the icon back", icons.waitShown(5'000) != nullptr,
        describeTray());

  // A shell that forgot the icon without a word: minimising adds it again before hiding.
  Shell_NotifyIconW(NIM_DELETE, &removal);
  icons.waitGone(5'000);
  minimise(*app);
  check("minimising with the icon lost adds it again and hides the window",
        icons.waitShown(5'000) != nullptr &&
            waitUntil([&] { return !isVisible(app->form()); }, 5'000),
        describeTray());
  chooseFromIconMenu(*app, icons, kShowItem, "Show, after the icon was lost");
  check("and the icon brings the window back",
        waitUntil([&] { return isVisible(app->form()) && !IsIconic(app->form()); }, 5'000));

  chooseFromIconMenu(*app, icons, kExitItem, "Exit, then No");
  const Box keep = waitForBox(*app, L"Exit?", 10'000);
  check("Exit asks \"Exit?\"", keep.window != nullptr);
  answerMessageBox(keep.window, IDNO);
  check("No keeps the program, its window and its icon",
        waitUntil([&] { return !IsWindow(keep.window); }, 5'000) && app->process().running() &&
            isVisible(app->form()) && icons.find() != nullptr,
        describeTray());

  minimise(*app);
  waitUntil([&] { return !isVisible(app->form()); }, 5'000);
  chooseFromIconMenu(*app, icons, kExitItem, "Exit, then Yes");
  const Box end = waitForBox(*app, L"Exit?", 10'000);
  check("Exit from the hidden window asks \"Exit?\"", end.window != nullptr);
  answerMessageBox(end.window, IDYES);
  const auto code = app->process().waitExit(10'000);
  check("Yes ends the program with code 0", code && *code == 0,
        code ? std::to_string(*code) : "still running");
  // Wine also drops the icons of a destroyed window, so this shows what the user sees rather
  // than proving the program removed its icon itself.
  check("the icon is gone after the program ends", icons.waitGone(5'000), describeTray());
  if (!code) app->process().kill();

  sessionEndAnsweredYes(exe);
}

}  // namespace e2e
