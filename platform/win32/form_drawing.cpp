// Where each control is and how it is drawn. The design is in twips, so every
// place, size and font follows the window's DPI: sharp text on a scaled screen,
// laid out again when the window moves to a monitor scaled otherwise.
#include <algorithm>
#include <array>
#include <utility>

#include "platform/painted_colour.h"
#include "platform/win32/win32_forms.h"

namespace platform::win32 {

namespace {

constexpr int kFramePadding = 6;  // pixels at 96 DPI

COLORREF colourValue(Colour painted) {
  return isSystemColour(painted) ? GetSysColor(systemColourIndex(painted)) : painted;
}

}  // namespace

// A font that cannot be made at this DPI leaves the one there was: Verdana
// falls back to the dialog font, and that to the system font.
std::array<OwnedFont, 2> Win32Forms::createFonts() {
  OwnedFont verdana(CreateFontW(-MulDiv(825, dpi_, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Verdana"));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  OwnedFont dialog;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE) {
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi_, systemDpi_);
    dialog.reset(CreateFontIndirectW(&metrics.lfMessageFont));
  }
  std::array<OwnedFont, 2> replaced;
  if (verdana) replaced[0] = std::exchange(verdana_, std::move(verdana));
  if (dialog) replaced[1] = std::exchange(dialogFont_, std::move(dialog));
  return replaced;
}

// On WM_DPICHANGED; the suggested rectangle keeps the window where the user sees it.
void Win32Forms::adoptDpi(int dpi, const RECT& suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  // The controls take the new fonts before the old ones are freed.
  const auto replaced = createFonts();
  for (const auto& d : design_.controls) {
    if (handleOf(d.name) != nullptr) place(d.name);
  }
  SetWindowPos(form(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  fitClientArea();
}

// Keeps the designed client area, whatever the frame and a wrapping menu bar take.
void Win32Forms::fitClientArea() {
  if (IsIconic(form())) return;
  RECT client{};
  RECT frame{};
  GetClientRect(form(), &client);
  GetWindowRect(form(), &frame);
  const int wider = toPixels(design_.clientWidth) - client.right;
  const int taller = toPixels(design_.clientHeight) - client.bottom;
  if (wider == 0 && taller == 0) return;
  SetWindowPos(form(), nullptr, 0, 0, frame.right - frame.left + wider,
               frame.bottom - frame.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Forms::place(Ctl c) {
  const ControlDesign& d = design_[c];
  Control& control = this->control(c);
  control.font = d.font == Font::Verdana && verdana_ ? verdana_.get() : dialogFont_.get();
  SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), FALSE);
  SetWindowPos(control.window, nullptr, toPixels(d.rect.left), toPixels(d.rect.top),
               toPixels(d.rect.width), toPixels(d.rect.height), SWP_NOZORDER | SWP_NOACTIVATE);
  if (d.autoSize) autoSize(c);
  InvalidateRect(control.window, nullptr, TRUE);
}

void Win32Forms::autoSize(Ctl label) {
  const Control& c = control(label);
  const std::wstring caption = readWindowText(c.window);
  RECT extent{0, 0, 0, 0};
  const WindowDc dc(c.window);
  const SelectedObject font(dc.get(), c.font);
  DrawTextW(dc.get(), caption.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SetWindowPos(c.window, nullptr, 0, 0, std::max(1L, extent.right), std::max(1L, extent.bottom),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A frame is a container window that draws its etched border and caption itself.
LRESULT Win32Forms::frameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Ctl frame = fromWindow(window);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT area{};
      GetClientRect(window, &area);
      FillRect(reinterpret_cast<HDC>(wParam), &area,
               colourBrush(controlColours(design_, frame).background));
      return 1;
    }
    case WM_PAINT: paintFrame(window, frame); return 0;
    case WM_SETTEXT: {
      const LRESULT done = DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return done;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void Win32Forms::paintFrame(HWND window, Ctl frame) {
  const PaintDc dc(window);
  const SelectedObject font(dc.get(), control(frame).font);
  const std::wstring caption = readWindowText(window);
  SIZE text{};
  GetTextExtentPoint32W(dc.get(), L"Ag", 2, &text);
  RECT border{};
  GetClientRect(window, &border);
  border.top += text.cy / 2;
  DrawEdge(dc.get(), &border, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  const ControlColours colours = controlColours(design_, frame);
  SetBkColor(dc.get(), colourValue(colours.background));
  SetTextColor(dc.get(), colourValue(colours.text));
  const int padding = MulDiv(kFramePadding, dpi_, 96);
  RECT label{padding, 0, 0, text.cy};
  DrawTextW(dc.get(), caption.c_str(), -1, &label, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  label.left -= 2;
  label.right += 2;
  ExtTextOutW(dc.get(), padding, 0, ETO_OPAQUE, &label, caption.c_str(),
              static_cast<UINT>(caption.size()), nullptr);
}

HBRUSH Win32Forms::colourBrush(Colour painted) {
  if (isSystemColour(painted)) return GetSysColorBrush(systemColourIndex(painted));
  auto& brush = brushes_[painted];
  if (!brush) brush.reset(CreateSolidBrush(painted));
  return brush.get();
}

// Returns the background brush.
HBRUSH Win32Forms::paintControl(HDC dc, Ctl c) {
  const ControlColours colours = controlColours(design_, c);
  SetBkColor(dc, colourValue(colours.background));
  SetTextColor(dc, colourValue(colours.text));
  return colourBrush(colours.background);
}

}  // namespace platform::win32
