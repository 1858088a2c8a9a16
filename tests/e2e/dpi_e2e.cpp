#include <string>

#include "app/form1_design.h"
#include "checks.h"
#include "platform/units.h"
#include "scenarios.h"
#include "text.h"
#include "window_state.h"

namespace e2e {

namespace {

using platform::twipsToPixels;

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

// Wine takes the screen's DPI from here when a program starts.
bool setLogPixels(DWORD dpi) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", REG_DWORD, &dpi,
                         sizeof dpi) == ERROR_SUCCESS;
}

// The screen's DPI as the user had it, put back when the scenario ends however it ends: the
// value it held, or none.
class LogPixelsKept {
 public:
  LogPixelsKept() {
    DWORD bytes = sizeof dpi_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr,
                        &dpi_, &bytes) == ERROR_SUCCESS;
  }
  ~LogPixelsKept() {
    const bool restored =
        had_ ? setLogPixels(dpi_)
             : RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels") == ERROR_SUCCESS;
    check("the screen's DPI setting is put back as it was", restored,
          had_ ? std::to_string(dpi_) : "absent");
  }
  LogPixelsKept(const LogPixelsKept&) = delete;
  LogPixelsKept& operator=(const LogPixelsKept&) = delete;

 private:
  DWORD dpi_ = 0;
  bool had_ = false;
};

RECT inParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + ")";
}

// The designed fonts at `dpi`, as the program makes them.
HFONT designFont(platform::Font font, int dpi) {
  if (font == platform::Font::Verdana) {
    return CreateFontW(-MulDiv(825, dpi, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"Verdana");
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const HDC screen = GetDC(nullptr);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi);
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

// Whether `text` in the designed font, wrapped as a label wraps it, fits the label's client area.
bool textFits(HWND label, const platform::ControlDesign& d, int dpi, const std::wstring& text) {
  RECT client{};
  GetClientRect(label, &client);
  const HFONT font = designFont(d.font, dpi);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font);
  RECT extent{0, 0, client.right, 0};
  DrawTextW(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return extent.right <= client.right && extent.bottom <= client.bottom;
}

// Every control on its twips rectangle at `dpi` (labels that size to their text: their place),
// and every label's text inside its rectangle.
void checkLayout(const TolvaneApp& app, int dpi, const std::string& when) {
  const auto& design = app::form1Design();
  const auto client = clientSize(app.form());
  check(when + ": the client area is its twips size",
        client && client->cx == twipsToPixels(design.clientWidth, dpi) &&
            client->cy == twipsToPixels(design.clientHeight, dpi),
        client ? std::to_string(client->cx) + "x" + std::to_string(client->cy) : "none");

  std::string misplaced;
  std::string clipped;
  for (const auto& d : design.controls) {
    const HWND window = app.control(d.name);
    if (window == nullptr) continue;  // timers, menus and the dialog have no window of their own
    const RECT got = inParent(window);
    const RECT want{twipsToPixels(d.rect.left, dpi), twipsToPixels(d.rect.top, dpi),
                    twipsToPixels(d.rect.left, dpi) + twipsToPixels(d.rect.width, dpi),
                    twipsToPixels(d.rect.top, dpi) + twipsToPixels(d.rect.height, dpi)};
    const bool placed = got.left == want.left && got.top == want.top &&
                        (d.autoSize || (got.right == want.right && got.bottom == want.bottom));
    if (!placed) {
      misplaced +=
          " " + utf8(platform::controlName(d.name)) + describe(got) + "!=" + describe(want);
    }
    const std::wstring text = windowText(window).value_or(L"");
    if (d.kind == platform::Kind::Label && !text.empty() && !textFits(window, d, dpi, text)) {
      clipped += " " + utf8(platform::controlName(d.name));
    }
  }
  check(when + ": every control sits on its twips rectangle", misplaced.empty(), misplaced);
  check(when + ": no label's text is clipped", clipped.empty(), clipped);
}

}  // namespace

void dpiScenario(const std::wstring& exe) {
  const LogPixelsKept kept;
  for (const int dpi : {96, 120, 144, 192}) {
    const std::string at = "started at " + std::to_string(dpi) + " DPI";
    if (!check(at + ": the screen's DPI is set", setLogPixels(static_cast<DWORD>(dpi)))) break;
    auto app = TolvaneApp::start(exe);
    if (!app) continue;
    checkLayout(*app, dpi, at);
    const int next = dpi == 144 ? 96 : 144;
    const std::string moved = at + ", moved to " + std::to_string(next) + " DPI";
    if (check(moved + ": WM_DPICHANGED reaches the window", app->changeDpi(next, dpi))) {
      checkLayout(*app, next, moved);
    }
    const auto code = app->closeAndConfirm();
    if (!code) app->process().kill();
  }
}

}  // namespace e2e
