#include "platform/win32/win32_forms.h"
// After <windows.h>, which they need.
#include <commctrl.h>
#include <windowsx.h>

#include <optional>

#include "platform/icon_callback.h"
#include "platform/notify_icon_data.h"

namespace platform::win32 {

namespace {

Win32Forms* formsOf(HWND window) {
  return reinterpret_cast<Win32Forms*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The stroke of a key message, for the keys the window may answer itself.
std::optional<KeyStroke> keyStroke(const MSG& message) {
  const UINT kind = message.message;
  if (kind != WM_KEYDOWN && kind != WM_CHAR && kind != WM_SYSCHAR) return std::nullopt;
  Modifiers held = kNoModifiers;
  if (GetKeyState(VK_SHIFT) < 0) held |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) held |= kCtrl;
  if (kind == WM_SYSCHAR) held |= kAlt;
  if (kind != WM_KEYDOWN)
    return KeyStroke{Key::Character, held, static_cast<wchar_t>(message.wParam)};
  if (GetKeyState(VK_MENU) < 0) held |= kAlt;
  switch (message.wParam) {
    case VK_TAB: return KeyStroke{Key::Tab, held};
    case VK_RETURN: return KeyStroke{Key::Enter, held};
    case VK_LEFT: return KeyStroke{Key::Left, held};
    case VK_UP: return KeyStroke{Key::Up, held};
    case VK_RIGHT: return KeyStroke{Key::Right, held};
    case VK_DOWN: return KeyStroke{Key::Down, held};
    default: return std::nullopt;
  }
}

// No exception may cross into the system. Only running out of memory can throw
// here: the message is left undone and the clock goes on with the next one. A
// question left unanswered must not keep the session from ending.
template <typename Handle>
LRESULT guarded(UINT message, Handle handle) noexcept {
  try {
    return handle();
  } catch (...) {
    return message == WM_QUERYENDSESSION ? TRUE : 0;
  }
}

}  // namespace

int Win32Forms::run(FormEvents& events) {
  events_ = &events;
  if (const int failed = behaviour_.start(events)) return failed;
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (preTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  form_.reset();  // no message reaches the handlers after the loop, whatever ended it
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Win32Forms::formProc(HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    auto* forms =
        static_cast<Win32Forms*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(forms));
  }
  Win32Forms* forms = formsOf(window);
  if (forms == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return guarded(message, [&] { return forms->handleForm(window, message, wParam, lParam); });
}

LRESULT CALLBACK Win32Forms::frameProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
  Win32Forms* forms = formsOf(window);
  if (forms == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return guarded(message, [&] {
    if (const auto handled = forms->handleContainerMessage(message, wParam, lParam))
      return *handled;
    return forms->frameMessage(window, message, wParam, lParam);
  });
}

// Messages that the window and its frames both receive from the controls they hold.
std::optional<LRESULT> Win32Forms::handleContainerMessage(UINT message, WPARAM wParam,
                                                          LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const Ctl c = fromId(LOWORD(wParam));
      if (c == Ctl::Form1) return std::nullopt;
      const Kind kind = design_[c].kind;
      const bool menuItem = lParam == 0 && HIWORD(wParam) == 0 && kind == Kind::MenuItem;
      const bool buttonClick = lParam != 0 && HIWORD(wParam) == BN_CLICKED &&
                               (kind == Kind::Button || kind == Kind::OptionButton);
      if (!menuItem && !buttonClick) return std::nullopt;
      events_->click(c);
      return 0;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const Ctl c = fromId(header->idFrom);
      if (c == Ctl::Form1 || design_[c].kind != Kind::TabStrip) return std::nullopt;
      // A mouse click raises the click once, on release, even on the selected
      // tab; a change from the keyboard raises it at once.
      const bool mouseDown = GetKeyState(VK_LBUTTON) < 0;
      if (header->code == NM_CLICK || (header->code == TCN_SELCHANGE && !mouseDown)) {
        events_->click(c);
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      const Ctl c = fromWindow(reinterpret_cast<HWND>(lParam));
      if (c == Ctl::Form1) return std::nullopt;
      return reinterpret_cast<LRESULT>(paintControl(reinterpret_cast<HDC>(wParam), c));
    }
    default: return std::nullopt;
  }
}

// `window`, not form(): messages also arrive while the window is created and destroyed.
LRESULT Win32Forms::handleForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto handled = handleContainerMessage(message, wParam, lParam)) return *handled;
  const bool live = loaded_ && !close_.unloaded();
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    if (live) events_->notificationAreaCreated();
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wParam == AfterMenus::kRetryTimer) {
        afterMenus_.onRetryTimer();
      } else {
        behaviour_.systemTimerTicked(fromId(wParam), *events_);
      }
      return 0;
    case WM_TIMECHANGE: behaviour_.clockChanged(*events_); return 0;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC) behaviour_.clockChanged(*events_);
      return TRUE;
    case WM_SIZE:
      if (live) events_->resize();
      return 0;
    case WM_MOUSEMOVE:
      // Only the icon's callbacks: a real move over a wide window is never a click on the icon.
      if (isIconCallback(wParam, lParam)) {
        events_->mouseMove(0, 0, iconCallbackX(LOWORD(lParam), twipsPerPixelX()),
                           static_cast<float>(HIWORD(lParam)));
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(form(), focus)) focusBeforeDeactivation_ = focus;
      } else if (focusBeforeDeactivation_ != nullptr && IsWindow(focusBeforeDeactivation_)) {
        SetFocus(focusBeforeDeactivation_);
        return 0;
      }
      break;
    case WM_DPICHANGED: adoptDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_CLOSE: closeRequest(UnloadMode::ControlMenu); return 0;
    case WM_QUERYENDSESSION: return close_.allowed(*events_, UnloadMode::SessionEnd) ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam != FALSE) finishUnload();
      return 0;
    case WM_DESTROY:
      // A window torn down at a failed start has no message loop to end, and a
      // quit message left waiting would close the box that says why at once.
      if (loaded_) PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Forms::isIconCallback(WPARAM wParam, LPARAM lParam) const {
  const DWORD position = GetMessagePos();
  POINT cursor{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  ScreenToClient(form(), &cursor);
  return platform::isIconCallback(wParam, lParam, kTrayIconId, cursor.x, cursor.y);
}

LRESULT CALLBACK Win32Forms::textBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR self) noexcept {
  if (message != WM_CHAR) return DefSubclassProc(window, message, wParam, lParam);
  return guarded(message, [&]() -> LRESULT {
    // The handler sees the key first; the character still goes to this control.
    auto code = static_cast<std::uint16_t>(wParam);
    reinterpret_cast<Win32Forms*>(self)->events_->keyPress(fromWindow(window), code);
    if (code == 0 || !IsWindow(window)) return 0;
    return DefSubclassProc(window, message, code, lParam);
  });
}

// The keys every Windows window answers, handled before the focused control sees them.
bool Win32Forms::preTranslate(const MSG& message) {
  if (form() == nullptr || (message.hwnd != form() && !IsChild(form(), message.hwnd))) return false;
  const auto stroke = keyStroke(message);
  return stroke && behaviour_.pressKey(*stroke);
}

void Win32Forms::closeRequest(UnloadMode mode) {
  if (close_.allowed(*events_, mode)) finishUnload();
}

void Win32Forms::finishUnload() {
  if (!close_.unload(*events_)) return;
  behaviour_.stop();
  form_.reset();
}

}  // namespace platform::win32
