#include <cwctype>

#include "checks.h"
#include "input.h"
#include "remote_memory.h"
#include "scenarios.h"
#include "text.h"
#include "waiting.h"
#include "window_state.h"

namespace e2e {

namespace {

struct Expected {
  Ctl control;
  const wchar_t* text;
  bool visible;
};

bool looksLikeClock(const std::wstring& text) {
  if (text.size() != 8 || text[2] != L':' || text[5] != L':') return false;
  for (std::size_t i : {0, 1, 3, 4, 6, 7}) {
    if (!std::iswdigit(text[i])) return false;
  }
  return true;
}

LONG_PTR style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

}  // namespace

void startUpScenario(const std::wstring& exe) {
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  const std::wstring firstClock = app->text(Ctl::Label1);
  check("clock reads \"clock\" before the first tick", firstClock == L"clock", utf8(firstClock));

  const HWND form = app->form();
  check("window is titled Tolvane", windowText(form) == L"Tolvane");
  check("window is visible", isVisible(form));

  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  const auto client = clientSize(form);
  const int wantWidth = MulDiv(4260, dpi, 1440);
  const int wantHeight = MulDiv(2220, dpi, 1440);
  check("client area is 4260 x 2220 twips",
        client && client->cx == wantWidth && client->cy == wantHeight,
        client ? std::to_string(client->cx) + "x" + std::to_string(client->cy) : "none");

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const auto frame = windowRect(form);
  const bool centred = frame &&
                       std::abs((frame->left + frame->right) - (work.left + work.right)) <= 2 &&
                       std::abs((frame->top + frame->bottom) - (work.top + work.bottom)) <= 2;
  check("window is centred", centred);
  check("window is sizable with a minimise box and no maximise box",
        (style(form) & WS_THICKFRAME) && (style(form) & WS_MINIMIZEBOX) &&
            !(style(form) & WS_MAXIMIZEBOX));
  check("window is in normal state", !IsIconic(form) && !IsZoomed(form));
  check("window has the menu bar", GetMenu(form) != nullptr);

  const Expected expected[] = {
      {Ctl::Fr2, L"Setting Messages and Alarm", true},
      {Ctl::Fr3, L"Setting Alarm Tone", true},
      {Ctl::Frame1, L"", true},
      {Ctl::Text1, L"", true},
      {Ctl::Text2, L"", true},
      {Ctl::Text3, L"", true},
      {Ctl::Text4, L"", true},
      {Ctl::Text5, L"", true},
      {Ctl::Command1, L"&Ok", true},
      {Ctl::Command2, L"&Reset", true},
      {Ctl::Command3, L"Chose tone", true},
      {Ctl::Label2, L"second", true},
      {Ctl::Label3, L"minute", true},
      {Ctl::Label4, L"", true},
      {Ctl::Label5, L"hour", true},
      {Ctl::Label6, L"", false},
      {Ctl::Label7, L"Alarm at", true},
      {Ctl::Label8, L"In the default option, the tone just \"plung!\".", true},
      {Ctl::Label9, L"Chose tone format wav only.", true},
      {Ctl::Option1, L"Default", true},
      {Ctl::Option2, L"Chose tone", true},
  };
  for (const auto& e : expected) {
    const HWND window = app->control(e.control);
    const std::string name = "control " + std::to_string(platform::controlId(e.control));
    const std::wstring text = windowText(window).value_or(L"<missing>");
    check(name + " reads \"" + utf8(e.text) + "\"", text == e.text, utf8(text));
    const bool shown = window != nullptr && (style(window) & WS_VISIBLE) != 0;
    check(name + (e.visible ? " is visible" : " is hidden"), shown == e.visible);
  }

  const HWND tabs = app->control(Ctl::TabStrip1);
  check("tab strip has two tabs", SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0) == 2);
  const std::wstring firstTab = tabText(tabs, 0).value_or(L"<unread>");
  const std::wstring secondTab = tabText(tabs, 1).value_or(L"<unread>");
  check("the tabs read \"Setting Alarm\" and \"Setting Tone\"",
        firstTab == L"Setting Alarm" && secondTab == L"Setting Tone",
        utf8(firstTab) + " / " + utf8(secondTab));
  check("tab 1 is selected", SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 0);
  check("focus is on the tab strip", focusedWindow(form) == tabs);
  check("neither option is selected",
        SendMessageW(app->control(Ctl::Option1), BM_GETCHECK, 0, 0) == BST_UNCHECKED &&
            SendMessageW(app->control(Ctl::Option2), BM_GETCHECK, 0, 0) == BST_UNCHECKED);
  check("tone chooser is enabled", isEnabled(app->control(Ctl::Command3)));
  check("minutes and seconds take two characters",
        SendMessageW(app->control(Ctl::Text2), EM_GETLIMITTEXT, 0, 0) == 2 &&
            SendMessageW(app->control(Ctl::Text3), EM_GETLIMITTEXT, 0, 0) == 2);
  check("message box is multi-line and editable",
        (style(app->control(Ctl::Text5)) & ES_MULTILINE) &&
            !(style(app->control(Ctl::Text5)) & ES_READONLY));

  // Tab follows the tab indexes, reaching the tone page's controls under the alarm page.
  pressKeys(tabs, {VK_TAB});
  check("Tab moves to the tone box first",
        waitUntil([&] { return focusedWindow(form) == app->control(Ctl::Text4); }, 2'000));
  pressKeys(app->control(Ctl::Text4), {VK_TAB});
  check("then to the tone chooser",
        waitUntil([&] { return focusedWindow(form) == app->control(Ctl::Command3); }, 2'000));
  pressChord(app->control(Ctl::Command3), {VK_SHIFT, VK_TAB});
  check("Shift+Tab goes back",
        waitUntil([&] { return focusedWindow(form) == app->control(Ctl::Text4); }, 2'000));

  const auto ticked = app->nextClockText(3'000);
  check("clock shows hh:mm:ss after the first tick", ticked && looksLikeClock(*ticked),
        ticked ? utf8(*ticked) : "no change");
  if (ticked) {
    const bool now = *ticked == clockText() || *ticked == clockText(-1);
    check("clock shows the local time", now, utf8(*ticked) + " vs " + utf8(clockText()));
  }
  const auto code = app->closeAndConfirm();
  check("program ends with code 0 after Yes", code && *code == 0);
}

}  // namespace e2e
