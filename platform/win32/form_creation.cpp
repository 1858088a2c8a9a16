#include "platform/win32/win32_forms.h"
// After <windows.h>, which it needs.
#include <commctrl.h>

#include "platform/painted_colour.h"
#include "platform/win32/optional_api.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kFrameClass[] = L"TolvaneFrame";
constexpr UINT kIconResource = 1;

#ifdef TOLVANE_NAIVE_TIMER
constexpr bool kClockAlignedTimers = false;  // the clock benchmark's baseline
#else
constexpr bool kClockAlignedTimers = true;
#endif

const wchar_t* windowClassOf(Kind kind) {
  switch (kind) {
    case Kind::Frame: return kFrameClass;
    case Kind::TextBox: return L"EDIT";
    case Kind::Button:
    case Kind::OptionButton: return L"BUTTON";
    case Kind::TabStrip: return WC_TABCONTROLW;
    default: return L"STATIC";
  }
}

// Styles beyond WS_CHILD that a control of the design's kind and settings needs.
void addStyles(const ControlDesign& d, DWORD& style, DWORD& exStyle) {
  switch (d.kind) {
    case Kind::Frame:
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case Kind::TextBox:
      exStyle |= WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP | (d.align == Align::Centre ? ES_CENTER : ES_LEFT);
      style |=
          d.multiLine ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : ES_AUTOHSCROLL;
      break;
    case Kind::Button: style |= WS_TABSTOP | BS_PUSHBUTTON; break;
    case Kind::OptionButton: style |= WS_TABSTOP | BS_AUTORADIOBUTTON; break;
    case Kind::Label:
      style |= SS_NOPREFIX | (d.align == Align::Centre ? SS_CENTER : SS_LEFT);
      if (d.border) style |= WS_BORDER;
      break;
    case Kind::TabStrip: style |= WS_TABSTOP; break;
    default: break;
  }
  if (d.visible) style |= WS_VISIBLE;
  if (!d.enabled) style |= WS_DISABLED;
}

// The shell's notice that it restarted without our icon reaches an elevated
// program only through the message filter.
void acceptFromAnyProcess(HWND window, UINT message) {
  using ChangeWindowMessageFilterExFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  const auto allow =
      optionalApi<ChangeWindowMessageFilterExFn>(L"user32.dll", "ChangeWindowMessageFilterEx");
  if (allow != nullptr) allow(window, message, MSGFLT_ALLOW, nullptr);
}

// Created top-most first, each goes below the ones before it.
HWND createBelowSiblings(DWORD exStyle, const wchar_t* windowClass, const std::wstring& text,
                         DWORD style, HWND parent, int id, HINSTANCE instance) {
  const HWND window =
      CreateWindowExW(exStyle, windowClass, text.c_str(), style, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (window != nullptr) {
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return window;
}

// Only Windows 10 and later tell a window's DPI; `fallback` elsewhere.
int windowDpi(HWND window, int fallback) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow =
      optionalApi<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : fallback;
}

StartFailure failedAt(Ctl c) { return {std::wstring(controlName(c)), GetLastError()}; }

}  // namespace

Win32Forms::Win32Forms(const FormDesign& design)
    : design_(design),
      behaviour_(design, *this, kClockAlignedTimers),
      instance_(GetModuleHandleW(nullptr)) {
  const WindowDc screen(nullptr);
  systemDpi_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
  dpi_ = systemDpi_;
}

std::optional<StartFailure> Win32Forms::create() {
  auto failure = createParts();
  if (failure) form_.reset();  // the box that says why belongs to no window
  return failure;
}

void Win32Forms::open() {
  loaded_ = true;
  ShowWindow(form(), SW_SHOWNORMAL);
  UpdateWindow(form());
}

// A window that could not be seen or ended is worse than none: any part that
// cannot be created stops the start.
std::optional<StartFailure> Win32Forms::createParts() {
  if (!registerClasses()) return StartFailure{L"the window classes", GetLastError()};
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  if (!createForm()) return StartFailure{L"the window", GetLastError()};
  if (taskbarCreated_ != 0) acceptFromAnyProcess(form(), taskbarCreated_);
  // The monitor the window opens on may be scaled otherwise than the system.
  dpi_ = windowDpi(form(), dpi_);
  createFonts();
  fitClientArea();  // also where the menu bar wraps on a narrow window
  for (const auto& c : design_.controls) {
    if (!createControl(c)) return failedAt(c.name);
  }
  if (const auto refused = behaviour_.startTimers()) return failedAt(*refused);
  return std::nullopt;
}

bool Win32Forms::registerClasses() {
  const int big = GetSystemMetrics(SM_CXICON);
  const int small = GetSystemMetrics(SM_CXSMICON);
  bigIcon_.reset(static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, big, big, 0)));
  smallIcon_.reset(static_cast<HICON>(
      LoadImageW(instance_, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, small, small, 0)));

  WNDCLASSEXW form{};
  form.cbSize = sizeof(form);
  form.lpfnWndProc = &Win32Forms::formProc;
  form.hInstance = instance_;
  form.hIcon = bigIcon_.get();
  form.hIconSm = smallIcon_.get();
  form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  form.hbrBackground = colourBrush(controlColours(design_, Ctl::Form1).background);
  form.lpszClassName = kFormClassName;
  WNDCLASSEXW frame = form;
  frame.style = CS_HREDRAW | CS_VREDRAW;
  frame.lpfnWndProc = &Win32Forms::frameProc;
  frame.hIcon = frame.hIconSm = nullptr;
  frame.hbrBackground = nullptr;
  frame.lpszClassName = kFrameClass;
  formClass_ = OwnedWindowClass(form);
  if (!formClass_) return false;
  frameClass_ = OwnedWindowClass(frame);
  return static_cast<bool>(frameClass_);
}

HMENU Win32Forms::buildMenu(Ctl parent, bool popup) {
  const HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
  for (const auto& c : design_.controls) {
    if (c.container != parent || (c.kind != Kind::Menu && c.kind != Kind::MenuItem)) continue;
    const std::wstring caption(c.caption);
    if (c.kind == Kind::MenuItem) {
      AppendMenuW(menu, MF_STRING, itemId(c.name), caption.c_str());
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

bool Win32Forms::createForm() {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (design_.sizable) style |= WS_THICKFRAME;
  if (design_.minButton) style |= WS_MINIMIZEBOX;
  if (design_.maxButton) style |= WS_MAXIMIZEBOX;
  OwnedMenu bar(buildMenu(Ctl::Form1, false));

  RECT frame{0, 0, toPixels(design_.clientWidth), toPixels(design_.clientHeight)};
  AdjustWindowRectEx(&frame, style, TRUE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + (work.right - work.left - width) / 2;
  const int y = work.top + (work.bottom - work.top - height) / 2;

  const std::wstring caption(design_.form.caption);
  form_.reset(CreateWindowExW(WS_EX_CONTROLPARENT, kFormClassName, caption.c_str(), style, x, y,
                              width, height, nullptr, bar.get(), instance_, this));
  if (!form_) return false;
  static_cast<void>(bar.release());  // from here on the window destroys its menu bar
  afterMenus_.setOwner(form());
  return true;
}

bool Win32Forms::createControl(const ControlDesign& d) {
  Control& c = control(d.name);
  if (d.kind == Kind::Timer || d.kind == Kind::OpenDialog || d.kind == Kind::Menu ||
      d.kind == Kind::MenuItem) {
    return true;
  }

  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  addStyles(d, style, exStyle);
  const HWND parent = handleOf(d.container);
  // Screen readers name a text box after the static control just above it among its
  // siblings; hidden and of no size, this one is seen by nothing else.
  if (!d.accessibleName.empty() &&
      createBelowSiblings(0, L"STATIC", std::wstring(d.accessibleName), WS_CHILD, parent,
                          kNameLabelId, instance_) == nullptr) {
    return false;
  }
  c.window = createBelowSiblings(exStyle, windowClassOf(d.kind), std::wstring(d.caption), style,
                                 parent, controlId(d.name), instance_);
  if (c.window == nullptr) return false;
  SetWindowLongPtrW(c.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

  if (d.kind == Kind::TextBox) {
    if (d.maxLength > 0)
      SendMessageW(c.window, EM_SETLIMITTEXT, static_cast<WPARAM>(d.maxLength), 0);
    // Without it the field would take letters: better not to start.
    if (SetWindowSubclass(c.window, &Win32Forms::textBoxProc, 1,
                          reinterpret_cast<DWORD_PTR>(this)) == FALSE) {
      return false;
    }
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
  place(d.name);
  return true;
}

}  // namespace platform::win32
