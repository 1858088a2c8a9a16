#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "scenarios.h"
#include "text.h"
#include "waiting.h"
#include "window_state.h"

namespace e2e {

namespace {

const wchar_t kExitQuestion[] = L"Are you sure? but alarm not running\r\nMinimaze to running alarm";

// Opens the menu bar with F10 and picks the item `downs` steps into "Menu".
void pickMenuItem(const TolvaneApp& app, int downs) {
  pressKeys(app.form(), {VK_F10});
  for (int i = 0; i < downs; ++i) pressKeys(app.form(), {VK_DOWN});
  pressKeys(app.form(), {VK_RETURN});
}

void menuShowsBox(const TolvaneApp& app, int downs, const std::wstring& title,
                  const std::wstring& text) {
  pickMenuItem(app, downs);
  const Box box = waitForBox(app, title, 5'000);
  check("menu opens the \"" + utf8(title) + "\" box", box.window != nullptr);
  check("\"" + utf8(title) + "\" box text", box.text == text, utf8(box.text));
  answerMessageBox(box.window, IDOK);
  waitUntil([&] { return !IsWindow(box.window); }, 3'000);
}

// Each way of closing asks the same question; No leaves everything as it was.
void closeAnsweredNo(const TolvaneApp& app, const std::string& how, void (*request)(HWND)) {
  const std::wstring armed = app.text(Ctl::Label4);
  request(app.form());
  const Box box = waitForBox(app, L"Exit?", 5'000);
  check(how + " asks Exit?", box.window != nullptr);
  check(how + " asks the exit question", box.text == kExitQuestion, utf8(box.text));
  answerMessageBox(box.window, IDNO);
  waitUntil([&] { return !IsWindow(box.window); }, 3'000);
  check(how + " answered No keeps the window", app.process().running() && isVisible(app.form()));
  check(how + " answered No keeps the alarm", app.text(Ctl::Label4) == armed);
  check(how + " answered No keeps the clock ticking", app.nextClockText(3'000).has_value());
}

}  // namespace

void menusAndClosingScenario(const std::wstring& exe) {
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  menuShowsBox(*app, 1, L"wav?", L"Tone format *.wav can be found on google");
  menuShowsBox(*app, 2, L"About", L"Pralvik by Ferrowin\r\nhttps://ferrowin.example");

  SendMessageW(app->control(Ctl::Label4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"23:59:58"));
  closeAnsweredNo(*app, "the close box",
                  [](HWND form) { PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); });
  closeAnsweredNo(*app, "Alt+F4", [](HWND form) { pressChord(form, {VK_MENU, VK_F4}); });
  closeAnsweredNo(*app, "the end of the session",
                  [](HWND form) { PostMessageW(form, WM_QUERYENDSESSION, 0, 0); });

  const auto code = app->closeAndConfirm();
  check("Yes ends the program with code 0", code && *code == 0,
        code ? std::to_string(*code) : "still running");
}

}  // namespace e2e
