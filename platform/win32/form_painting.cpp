#include "platform/painted_colour.h"
#include "platform/win32/text_codec.h"
#include "platform/win32/win32_forms.h"
#include "platform/win32/window_ids.h"

namespace platform::win32 {

namespace {

constexpr int kFramePadding = 6;  // pixels at 96 DPI

// The system's value of a painted colour.
COLORREF colourValue(Colour painted) {
  return isSystemColour(painted) ? GetSysColor(systemColourIndex(painted)) : painted;
}

}  // namespace

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

// The colours a control is drawn in; returns its background brush.
HBRUSH Win32Forms::paintControl(HDC dc, Ctl c) {
  const ControlColours colours = controlColours(design_, c);
  SetBkColor(dc, colourValue(colours.background));
  SetTextColor(dc, colourValue(colours.text));
  return colourBrush(colours.background);
}

}  // namespace platform::win32
