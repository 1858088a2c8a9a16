#include "platform/win32/win32_forms.h"

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cwctype>

#include "platform/icon_callback.h"
#include "platform/tab_order.h"
#include "platform/units.h"
#include "platform/win32/text_codec.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"TolvaneForm";
constexpr wchar_t kFrameClass[] = L"TolvaneFrame";
constexpr UINT kIconResource = 1;
constexpr std::uint32_t kTrayIconId = 1;
constexpr int kUnloadByControlMenu = 0;
constexpr int kUnloadByCode = 1;
constexpr int kUnloadBySessionEnd = 2;
constexpr int kFramePadding = 6;
// Ticks of a clock-aligned timer land this long after the second boundary. An
// early tick that still reads the old second is re-armed without delivery, so
// the guard only has to cover the usual timer slack.
constexpr UINT kClockGuardMs = 5;
#ifdef TOLVANE_NAIVE_TIMER
// The benchmark's baseline: every timer free-running at its interval.
constexpr bool kClockAlignedTimers = false;
#else
constexpr bool kClockAlignedTimers = true;
#endif

Win32Forms* self(HWND window) {
  return reinterpret_cast<Win32Forms*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND fromHandle32(std::uint32_t handle) {
  // Window and icon handles are 32-bit values, sign-extended on 64-bit Windows.
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(handle)));
}

std::uint32_t toHandle32(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(handle));
}

long long localSecond(const SYSTEMTIME& t) {
  FILETIME ft{};
  SystemTimeToFileTime(&t, &ft);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return static_cast<long long>(ticks / 10'000'000ULL);
}

// "a|b|" as the dialog wants it: NUL-separated, ending in two NULs.
std::wstring dialogFilter(std::wstring_view filter) {
  std::wstring out(filter);
  std::ranges::replace(out, L'|', L'\0');
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

wchar_t accessKey(std::wstring_view caption) {
  const auto amp = caption.find(L'&');
  if (amp == std::wstring_view::npos || amp + 1 >= caption.size()) return 0;
  return static_cast<wchar_t>(std::towupper(caption[amp + 1]));
}

}  // namespace

Win32Forms::Win32Forms(const FormDesign& design)
    : design_(design), instance_(GetModuleHandleW(nullptr)) {
  const HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
}

int Win32Forms::toPixels(int twips) const { return twipsToPixels(twips, dpi_); }

int Win32Forms::twipsPerPixelX() const { return twipsPerPixel(dpi_); }

Ctl Win32Forms::fromId(UINT_PTR id) {
  const auto i = static_cast<long long>(id) - controlId(Ctl::Form1);
  return i >= 0 && i < kControlCount ? static_cast<Ctl>(i) : Ctl::Form1;
}

int Win32Forms::run(FormEvents& events) {
  events_ = &events;
  events.initialise();
  registerClasses();
  createFonts();
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  createForm();
  for (const auto& c : design_.controls) createControl(c);
  events.load();
  loaded_ = true;
  ShowWindow(form_.get(), SW_SHOWNORMAL);
  UpdateWindow(form_.get());
  setFocus(nextInTabOrder(design_, Ctl::Form1, false, [this](Ctl c) { return canFocus(c); }));

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void Win32Forms::registerClasses() {
  const int big = GetSystemMetrics(SM_CXICON);
  const int small = GetSystemMetrics(SM_CXSMICON);
  bigIcon_.reset(static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, big, big, 0)));
  smallIcon_.reset(static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, small, small, 0)));

  WNDCLASSEXW form{.cbSize = sizeof(WNDCLASSEXW),
                   .style = 0,
                   .lpfnWndProc = &Win32Forms::formProc,
                   .cbClsExtra = 0,
                   .cbWndExtra = 0,
                   .hInstance = instance_,
                   .hIcon = bigIcon_.get(),
                   .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                   .hbrBackground = GetSysColorBrush(COLOR_BTNFACE),
                   .lpszMenuName = nullptr,
                   .lpszClassName = kFormClass,
                   .hIconSm = smallIcon_.get()};
  RegisterClassExW(&form);

  WNDCLASSEXW frame = form;
  frame.style = CS_HREDRAW | CS_VREDRAW;
  frame.lpfnWndProc = &Win32Forms::frameProc;
  frame.hIcon = nullptr;
  frame.hIconSm = nullptr;
  frame.hbrBackground = nullptr;
  frame.lpszClassName = kFrameClass;
  RegisterClassExW(&frame);
}

void Win32Forms::createFonts() {
  verdana_.reset(CreateFontW(-MulDiv(825, dpi_, 7200), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"Verdana"));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  dialogFont_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
}

HMENU Win32Forms::buildMenu(Ctl parent, bool popup) {
  const HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
  for (const auto& c : design_.controls) {
    if (c.container != parent || (c.kind != Kind::Menu && c.kind != Kind::MenuItem)) continue;
    const std::wstring caption(c.caption);
    if (c.kind == Kind::MenuItem) {
      AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(controlId(c.name)), caption.c_str());
      control(c.name).menu = menu;
      continue;
    }
    const HMENU sub = buildMenu(c.name, true);
    control(c.name).menu = sub;
    if (c.visible) {
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), caption.c_str());
    } else {
      trayMenu_.reset(sub);
    }
  }
  return menu;
}

void Win32Forms::createForm() {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (design_.sizable) style |= WS_THICKFRAME;
  if (design_.minButton) style |= WS_MINIMIZEBOX;
  if (design_.maxButton) style |= WS_MAXIMIZEBOX;
  const HMENU bar = buildMenu(Ctl::Form1, false);

  RECT frame{0, 0, toPixels(design_.clientWidth), toPixels(design_.clientHeight)};
  AdjustWindowRectEx(&frame, style, TRUE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;

  const std::wstring caption(design_.caption);
  form_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, caption.c_str(), style, x, y, width,
                              height, nullptr, bar, instance_, this));
  control(Ctl::Form1).window = form_.get();
  // The bar may wrap on a narrow window; keep the designed client area.
  RECT client{};
  GetClientRect(form_.get(), &client);
  const int missing = toPixels(design_.clientHeight) - (client.bottom - client.top);
  if (missing != 0)
    SetWindowPos(form_.get(), nullptr, 0, 0, width, height + missing, SWP_NOMOVE | SWP_NOZORDER);
}

void Win32Forms::createControl(const ControlDesign& d) {
  Control& c = control(d.name);
  if (d.kind == Kind::Timer) {
    c.timerEnabled = d.enabled;
    if (d.enabled) armTimer(d.name, true);
    return;
  }
  if (d.kind == Kind::OpenDialog || d.kind == Kind::Menu || d.kind == Kind::MenuItem) return;

  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  const wchar_t* windowClass = L"STATIC";
  switch (d.kind) {
    case Kind::Frame:
      windowClass = kFrameClass;
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case Kind::TextBox:
      windowClass = L"EDIT";
      exStyle |= WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | (d.align == Align::Centre ? ES_CENTER : ES_LEFT);
      style |=
          d.multiLine ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
      break;
    case Kind::Button:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON;
      break;
    case Kind::OptionButton:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_AUTORADIOBUTTON;
      break;
    case Kind::Label:
      style |= SS_NOPREFIX | (d.align == Align::Centre ? SS_CENTER : SS_LEFT);
      if (d.border) style |= WS_BORDER;
      break;
    case Kind::TabStrip:
      windowClass = WC_TABCONTROLW;
      style |= WS_TABSTOP;
      break;
    default: break;
  }
  if (d.visible) style |= WS_VISIBLE;
  if (!d.enabled) style |= WS_DISABLED;

  const std::wstring caption(d.caption);
  const HWND parent = control(d.container).window;
  c.window = CreateWindowExW(
      exStyle, windowClass, caption.c_str(), style, toPixels(d.rect.left), toPixels(d.rect.top),
      toPixels(d.rect.width), toPixels(d.rect.height), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(d.name))), instance_, nullptr);
  // Created top-most first, each one goes below the ones before it.
  SetWindowPos(c.window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowLongPtrW(c.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  c.font = d.font == Font::Verdana ? verdana_.get() : dialogFont_.get();
  SendMessageW(c.window, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);

  if (d.kind == Kind::TextBox) {
    if (d.maxLength > 0)
      SendMessageW(c.window, EM_SETLIMITTEXT, static_cast<WPARAM>(d.maxLength), 0);
    SetWindowSubclass(c.window, &Win32Forms::textBoxProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
  if (d.kind == Kind::TabStrip) {
    for (std::size_t i = 0; i < d.tabs.size(); ++i) {
      std::wstring tab(d.tabs[i]);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = tab.data();
      SendMessageW(c.window, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(c.window, TCM_SETCURSEL, 0, 0);
  }
  if (d.autoSize) autoSize(d.name);
}

void Win32Forms::autoSize(Ctl label) {
  const Control& c = control(label);
  const std::wstring caption = readWindowText(c.window);
  RECT extent{0, 0, 0, 0};
  const WindowDc dc(c.window, c.font);
  DrawTextW(dc.get(), caption.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SetWindowPos(c.window, nullptr, 0, 0, std::max(1L, extent.right), std::max(1L, extent.bottom),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Win32Forms::formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<Win32Forms*>(create->lpCreateParams)->control(Ctl::Form1).window = window;
  }
  Win32Forms* forms = self(window);
  if (forms == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return forms->handleForm(message, wParam, lParam);
}

LRESULT CALLBACK Win32Forms::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Forms* forms = self(window);
  if (forms == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (forms->handleContainerMessage(message, wParam, lParam, result)) return result;
  const Ctl frame = fromId(static_cast<UINT_PTR>(GetDlgCtrlID(window)));
  switch (message) {
    case WM_ERASEBKGND: {
      RECT area{};
      GetClientRect(window, &area);
      FillRect(reinterpret_cast<HDC>(wParam), &area,
               forms->colourBrush(forms->design_[frame].backColour));
      return 1;
    }
    case WM_PAINT: forms->paintFrame(window, frame); return 0;
    case WM_SETTEXT: {
      const LRESULT done = DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return done;
    }
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

void Win32Forms::paintFrame(HWND window, Ctl frame) {
  const ControlDesign& d = design_[frame];
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(window, &paint);
  const HGDIOBJ previous = SelectObject(dc, control(frame).font);
  const std::wstring caption = readWindowText(window);
  SIZE text{};
  GetTextExtentPoint32W(dc, L"Ag", 2, &text);
  RECT border{};
  GetClientRect(window, &border);
  border.top += text.cy / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  if (!caption.empty()) {
    SetBkColor(dc, colourValue(d.backColour));
    SetTextColor(dc, d.foreColour == kDefaultColour ? GetSysColor(COLOR_BTNTEXT)
                                                    : colourValue(d.foreColour));
    RECT label{kFramePadding, 0, 0, text.cy};
    DrawTextW(dc, caption.c_str(), -1, &label, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    label.left -= 2;
    label.right += 2;
    ExtTextOutW(dc, kFramePadding, 0, ETO_OPAQUE, &label, caption.c_str(),
                static_cast<UINT>(caption.size()), nullptr);
  }
  SelectObject(dc, previous);
  EndPaint(window, &paint);
}

COLORREF Win32Forms::colourValue(Colour colour) const {
  if ((colour & 0x80000000U) != 0) return GetSysColor(static_cast<int>(colour & 0xFFU));
  return colour;
}

HBRUSH Win32Forms::colourBrush(Colour colour) {
  if (colour == kDefaultColour) return GetSysColorBrush(COLOR_BTNFACE);
  if ((colour & 0x80000000U) != 0) return GetSysColorBrush(static_cast<int>(colour & 0xFFU));
  auto& brush = brushes_[colour];
  if (!brush) brush.reset(CreateSolidBrush(colour));
  return brush.get();
}

Colour Win32Forms::containerBackColour(Ctl c) const {
  const Ctl container = design_[c].container;
  return design_[container].backColour;
}

// Messages that the window and its frames both receive from the controls they hold.
bool Win32Forms::handleContainerMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      const Ctl c = fromId(LOWORD(wParam));
      if (c == Ctl::Form1) return false;
      const Kind kind = design_[c].kind;
      const bool menuItem = lParam == 0 && HIWORD(wParam) == 0 && kind == Kind::MenuItem;
      const bool buttonClick = lParam != 0 && HIWORD(wParam) == BN_CLICKED &&
                               (kind == Kind::Button || kind == Kind::OptionButton);
      if (menuItem || buttonClick) events_->click(c);
      result = 0;
      return menuItem || buttonClick;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (fromId(header->idFrom) != Ctl::TabStrip1) return false;
      // A mouse click raises the click once, on release, even on the selected
      // tab; a change from the keyboard raises it at once.
      const bool mouseDown = GetKeyState(VK_LBUTTON) < 0;
      if (header->code == NM_CLICK || (header->code == TCN_SELCHANGE && !mouseDown)) {
        events_->click(Ctl::TabStrip1);
      }
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const Ctl c = fromId(static_cast<UINT_PTR>(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))));
      if (c == Ctl::Form1) return false;
      const ControlDesign& d = design_[c];
      if (d.kind == Kind::TextBox) {
        // A locked text box keeps the look of an editable one.
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        return true;
      }
      const Colour back =
          d.opaque || d.kind == Kind::OptionButton ? d.backColour : containerBackColour(c);
      SetBkColor(dc, colourValue(back));
      if (d.foreColour != kDefaultColour) SetTextColor(dc, colourValue(d.foreColour));
      result = reinterpret_cast<LRESULT>(colourBrush(back));
      return true;
    }
    default: return false;
  }
}

LRESULT Win32Forms::handleForm(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = control(Ctl::Form1).window;
  LRESULT result = 0;
  if (handleContainerMessage(message, wParam, lParam, result)) return result;
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    if (loaded_ && !unloaded_) events_->notificationAreaCreated();
    return 0;
  }
  switch (message) {
    case WM_TIMER: onTimer(fromId(wParam)); return 0;
    case WM_SIZE:
      if (loaded_ && !unloaded_) events_->resize();
      return 0;
    case WM_MOUSEMOVE:
      // Only the icon's callbacks are handed on: a real mouse move over a wide
      // window must never be taken for a click on the icon.
      if (isIconCallback(wParam, lParam)) {
        const float x = static_cast<float>(LOWORD(lParam)) * static_cast<float>(twipsPerPixelX());
        events_->mouseMove(0, 0, x, static_cast<float>(HIWORD(lParam)));
      }
      return 0;
    case WM_ACTIVATE:
      // Give the focus back to the control that had it when the window was left.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) focusBeforeDeactivation_ = focus;
      } else if (focusBeforeDeactivation_ != nullptr && IsWindow(focusBeforeDeactivation_)) {
        SetFocus(focusBeforeDeactivation_);
        return 0;
      }
      break;
    case WM_CLOSE: closeRequest(kUnloadByControlMenu); return 0;
    case WM_QUERYENDSESSION: return closeAllowed(kUnloadBySessionEnd) ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam != FALSE) finishUnload();
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Forms::isIconCallback(WPARAM wParam, LPARAM lParam) const {
  const DWORD position = GetMessagePos();
  POINT cursor{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ScreenToClient(control(Ctl::Form1).window, &cursor);
  return platform::isIconCallback(wParam, lParam, kTrayIconId, cursor.x, cursor.y);
}

LRESULT CALLBACK Win32Forms::textBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR selfPointer) {
  if (message == WM_CHAR) {
    auto* forms = reinterpret_cast<Win32Forms*>(selfPointer);
    // The handler sees the key before the edit control does; the character
    // still goes to this control even if the handler moved the focus.
    auto code = static_cast<std::uint16_t>(wParam);
    forms->events_->keyPress(fromId(static_cast<UINT_PTR>(GetDlgCtrlID(window))), code);
    if (code == 0 || !IsWindow(window)) return 0;
    wParam = code;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

bool Win32Forms::preTranslate(const MSG& message) {
  const HWND form = control(Ctl::Form1).window;
  if (form == nullptr || (message.hwnd != form && !IsChild(form, message.hwnd))) return false;
  const bool alt = GetKeyState(VK_MENU) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && !alt && !ctrl) {
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    setFocus(nextInTabOrder(design_, focused(), backwards, [this](Ctl c) { return canFocus(c); }));
    return true;
  }
  if (message.message == WM_CHAR && message.wParam == L'\t' && !ctrl) return true;
  if (message.message == WM_SYSCHAR) return pressAccessKey(static_cast<wchar_t>(message.wParam));
  return false;
}

bool Win32Forms::pressAccessKey(wchar_t key) {
  const wchar_t wanted = static_cast<wchar_t>(std::towupper(key));
  for (const auto& d : design_.controls) {
    if (d.kind != Kind::Button && d.kind != Kind::OptionButton) continue;
    if (accessKey(d.caption) != wanted || !canFocus(d.name)) continue;
    SetFocus(control(d.name).window);
    SendMessageW(control(d.name).window, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

bool Win32Forms::canFocus(Ctl c) const {
  if (!isFocusableKind(design_[c].kind)) return false;
  const HWND window = control(c).window;
  return window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window);
}

void Win32Forms::armTimer(Ctl timer, bool afresh) {
  const ControlDesign& d = design_[timer];
  UINT delay = static_cast<UINT>(d.interval);
  if (kClockAlignedTimers && d.clockAligned) {
    // A timer just enabled still waits at least its interval before the first tick.
    SYSTEMTIME t{};
    GetLocalTime(&t);
    delay = afresh ? static_cast<UINT>(d.interval) + (1000U - t.wMilliseconds) % 1000U
                   : 1000U - t.wMilliseconds;
    delay += kClockGuardMs;
  }
  SetTimer(control(Ctl::Form1).window, static_cast<UINT_PTR>(controlId(timer)), delay, nullptr);
}

void Win32Forms::onTimer(Ctl timer) {
  Control& c = control(timer);
  if (!c.timerEnabled || unloaded_) return;
  if (kClockAlignedTimers && design_[timer].clockAligned) {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    const long long second = localSecond(t);
    // Re-armed before the handler runs, because the handler may block in a modal box.
    armTimer(timer, false);
    if (second == c.lastTickSecond) return;
    c.lastTickSecond = second;
  }
  events_->timer(timer);
}

// One question at a time: a second request while it is open is refused.
bool Win32Forms::closeAllowed(int unloadMode) {
  if (closing_ || unloaded_) return false;
  Bool16 cancel = kFalse16;
  closing_ = true;
  events_->queryUnload(cancel, unloadMode);
  closing_ = false;
  return cancel == kFalse16;
}

void Win32Forms::closeRequest(int unloadMode) {
  if (closeAllowed(unloadMode)) finishUnload();
}

void Win32Forms::finishUnload() {
  if (unloaded_) return;
  Bool16 ignored = kFalse16;
  events_->unload(ignored);
  unloaded_ = true;
  for (const auto& d : design_.controls) {
    if (d.kind == Kind::Timer)
      KillTimer(control(Ctl::Form1).window, static_cast<UINT_PTR>(controlId(d.name)));
  }
  form_.reset();
}

std::wstring Win32Forms::text(Ctl c) const {
  const Kind kind = design_[c].kind;
  if (kind == Kind::Menu) return std::wstring(design_[c].caption);
  if (kind == Kind::MenuItem) {
    std::array<wchar_t, 256> caption{};
    GetMenuStringW(control(c).menu, static_cast<UINT>(controlId(c)), caption.data(),
                   static_cast<int>(caption.size()), MF_BYCOMMAND);
    return caption.data();
  }
  return readWindowText(control(c).window);
}

void Win32Forms::setText(Ctl c, std::wstring_view value) {
  const std::wstring text(value);
  if (design_[c].kind == Kind::MenuItem) {
    ModifyMenuW(control(c).menu, static_cast<UINT>(controlId(c)), MF_BYCOMMAND | MF_STRING,
                static_cast<UINT_PTR>(controlId(c)), text.c_str());
    return;
  }
  SetWindowTextW(control(c).window, text.c_str());
  if (design_[c].autoSize) autoSize(c);
}

bool Win32Forms::enabled(Ctl c) const {
  const Kind kind = design_[c].kind;
  if (kind == Kind::Timer) return control(c).timerEnabled;
  if (kind == Kind::MenuItem) {
    return (GetMenuState(control(c).menu, static_cast<UINT>(controlId(c)), MF_BYCOMMAND) &
            MF_GRAYED) == 0;
  }
  return IsWindowEnabled(control(c).window) != FALSE;
}

void Win32Forms::setEnabled(Ctl c, bool on) {
  const Kind kind = design_[c].kind;
  if (kind == Kind::Timer) {
    control(c).timerEnabled = on;
    // Enabling starts the interval afresh.
    if (on) {
      armTimer(c, true);
    } else {
      KillTimer(control(Ctl::Form1).window, static_cast<UINT_PTR>(controlId(c)));
    }
    return;
  }
  if (kind == Kind::MenuItem) {
    EnableMenuItem(control(c).menu, static_cast<UINT>(controlId(c)),
                   MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    return;
  }
  EnableWindow(control(c).window, on ? TRUE : FALSE);
}

bool Win32Forms::visible(Ctl c) const {
  const HWND window = control(c).window;
  return window != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Forms::setVisible(Ctl c, bool on) {
  ShowWindow(control(c).window, on ? SW_SHOWNA : SW_HIDE);
}

bool Win32Forms::locked(Ctl textBox) const {
  return (GetWindowLongPtrW(control(textBox).window, GWL_STYLE) & ES_READONLY) != 0;
}

void Win32Forms::setLocked(Ctl textBox, bool on) {
  SendMessageW(control(textBox).window, EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

bool Win32Forms::selected(Ctl optionButton) const {
  return SendMessageW(control(optionButton).window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Ctl Win32Forms::focused() const {
  const HWND focus = GetFocus();
  const HWND form = control(Ctl::Form1).window;
  if (focus == nullptr || form == nullptr || !IsChild(form, focus)) return Ctl::Form1;
  return fromId(static_cast<UINT_PTR>(GetDlgCtrlID(focus)));
}

void Win32Forms::setFocus(Ctl c) {
  const HWND window = control(c).window;
  if (window == nullptr) return;
  SetFocus(window);
  // Typing goes on at the end of what a field already holds.
  if (design_[c].kind == Kind::TextBox) {
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(window));
    SendMessageW(window, EM_SETSEL, end, static_cast<LPARAM>(end));
  }
}

int Win32Forms::selectedTab(Ctl tabStrip) const {
  return static_cast<int>(SendMessageW(control(tabStrip).window, TCM_GETCURSEL, 0, 0)) + 1;
}

void Win32Forms::showOpen(Ctl /*dialog*/, std::wstring_view filter) {
  const std::wstring filters = dialogFilter(filter);
  std::wstring file(32768, L'\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), file.size() - 1), file.begin());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = control(Ctl::Form1).window;
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_EXPLORER;
  if (GetOpenFileNameW(&ofn) == FALSE) return;  // cancelled: the previous name stays
  fileName_.assign(file.data(), std::wcslen(file.data()));
}

std::wstring Win32Forms::fileName(Ctl /*dialog*/) const { return fileName_; }

std::uint32_t Win32Forms::hWnd() const { return toHandle32(control(Ctl::Form1).window); }

std::uint32_t Win32Forms::iconHandle() const { return toHandle32(smallIcon_.get()); }

WindowState Win32Forms::windowState() const {
  return IsIconic(control(Ctl::Form1).window) ? WindowState::Minimised : WindowState::Normal;
}

void Win32Forms::setWindowState(WindowState state) {
  const HWND form = control(Ctl::Form1).window;
  const bool iconic = IsIconic(form) != FALSE;
  if (state == WindowState::Normal && iconic) ShowWindow(form, SW_RESTORE);
  if (state == WindowState::Minimised && !iconic) ShowWindow(form, SW_MINIMIZE);
}

void Win32Forms::hide() { ShowWindow(control(Ctl::Form1).window, SW_HIDE); }

void Win32Forms::show() {
  const HWND form = control(Ctl::Form1).window;
  ShowWindow(form, SW_SHOW);
  SetForegroundWindow(form);
}

void Win32Forms::popupMenu(Ctl menu) {
  const HWND form = control(Ctl::Form1).window;
  POINT cursor{};
  GetCursorPos(&cursor);
  // A menu opened for the notification area must belong to the foreground
  // window to close when the user clicks elsewhere, and needs a message
  // afterwards to dismiss properly.
  SetForegroundWindow(form);
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      control(menu).menu, TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0, form, nullptr));
  PostMessageW(form, WM_NULL, 0, 0);
  if (chosen != 0) events_->click(fromId(chosen));
}

void Win32Forms::unload() { closeRequest(kUnloadByCode); }

int Win32Forms::msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) {
  const std::wstring body(text);
  const std::wstring caption(title);
  const HWND form = unloaded_ ? nullptr : control(Ctl::Form1).window;
  // A box raised while the window is hidden or behind others must still be seen.
  UINT flags = style | MB_SETFOREGROUND;
  if (form == nullptr || !IsWindowVisible(form) || GetForegroundWindow() != form)
    flags |= MB_TOPMOST;
  return MessageBoxW(form, body.c_str(), caption.c_str(), flags);
}

LocalTime Win32Forms::now() const {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void Win32Forms::initCommonControls() { InitCommonControls(); }

// A path the ANSI code page cannot hold would name another file or none. Its
// short form usually can; failing that, the wide call takes the path as it is.
bool Win32Forms::playSound(std::wstring_view name, std::uint32_t flags) {
  const AnsiText ansi = toAnsiCodePage(name);
  if (ansi.exact) return PlaySoundA(ansi.text.c_str(), nullptr, flags) != FALSE;
  const std::wstring wide(name);
  const AnsiText shortPath = toAnsiCodePage(shortPathName(wide));
  if (shortPath.exact && !shortPath.text.empty()) {
    return PlaySoundA(shortPath.text.c_str(), nullptr, flags) != FALSE;
  }
  return PlaySoundW(wide.c_str(), nullptr, flags) != FALSE;
}

bool Win32Forms::shellNotifyIcon(std::uint32_t message, const NotifyIconDataA& record) {
  NOTIFYICONDATAA native{};
#ifdef _WIN64
  native.cbSize = sizeof(native);
  native.hWnd = fromHandle32(record.hWnd);
  native.uID = record.uID;
  native.uFlags = record.uFlags;
  native.uCallbackMessage = record.uCallbackMessage;
  native.hIcon = reinterpret_cast<HICON>(fromHandle32(record.hIcon));
  std::memcpy(native.szTip, record.szTip, sizeof(record.szTip));
  native.dwState = record.dwState;
  native.dwStateMask = record.dwStateMask;
  std::memcpy(native.szInfo, record.szInfo, sizeof(record.szInfo));
  native.uTimeout = record.uTimeout;
  std::memcpy(native.szInfoTitle, record.szInfoTitle, sizeof(record.szInfoTitle));
  native.dwInfoFlags = record.dwInfoFlags;
#else
  static_assert(NOTIFYICONDATAA_V2_SIZE == sizeof(NotifyIconDataA));
  static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(NotifyIconDataA, szTip));
  static_assert(offsetof(NOTIFYICONDATAA, szInfo) == offsetof(NotifyIconDataA, szInfo));
  static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == offsetof(NotifyIconDataA, szInfoTitle));
  static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == offsetof(NotifyIconDataA, dwInfoFlags));
  std::memcpy(&native, &record, sizeof(record));
#endif
  return Shell_NotifyIconA(message, &native) != FALSE;
}

bool Win32Forms::setForegroundWindow(std::uint32_t hWnd) {
  return SetForegroundWindow(fromHandle32(hWnd)) != FALSE;
}

std::string Win32Forms::toAnsi(std::wstring_view text) const { return toAnsiCodePage(text).text; }

}  // namespace platform::win32
