#include "platform/win32/win32_forms.h"
// After <windows.h>, which they need.
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cwchar>

namespace platform::win32 {

std::wstring Win32Forms::text(Ctl c) const {
  const Kind kind = design_[c].kind;
  if (kind == Kind::Menu) return std::wstring(design_[c].caption);
  if (kind == Kind::MenuItem) {
    std::array<wchar_t, 256> caption{};
    GetMenuStringW(control(c).menu, itemId(c), caption.data(), static_cast<int>(caption.size()),
                   MF_BYCOMMAND);
    return caption.data();
  }
  return readWindowText(handleOf(c));
}

void Win32Forms::setText(Ctl c, std::wstring_view value) {
  const std::wstring text(value);
  if (design_[c].kind == Kind::MenuItem) {
    ModifyMenuW(control(c).menu, itemId(c), MF_BYCOMMAND | MF_STRING, itemId(c), text.c_str());
    return;
  }
  SetWindowTextW(handleOf(c), text.c_str());
  if (design_[c].autoSize) autoSize(c);
}

bool Win32Forms::enabled(Ctl c) const {
  const Kind kind = design_[c].kind;
  if (kind == Kind::Timer) return behaviour_.timerEnabled(c);
  if (kind == Kind::MenuItem) {
    return (GetMenuState(control(c).menu, itemId(c), MF_BYCOMMAND) & MF_GRAYED) == 0;
  }
  return IsWindowEnabled(handleOf(c)) != FALSE;
}

void Win32Forms::setEnabled(Ctl c, bool on) {
  const Kind kind = design_[c].kind;
  if (kind == Kind::Timer) {
    behaviour_.enableTimer(c, on);
    return;
  }
  if (kind == Kind::MenuItem) {
    EnableMenuItem(control(c).menu, itemId(c), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    return;
  }
  EnableWindow(handleOf(c), on ? TRUE : FALSE);
}

bool Win32Forms::visible(Ctl c) const {
  const HWND window = handleOf(c);
  return window != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool Win32Forms::locked(Ctl textBox) const {
  return (GetWindowLongPtrW(handleOf(textBox), GWL_STYLE) & ES_READONLY) != 0;
}

void Win32Forms::setLocked(Ctl textBox, bool on) {
  SendMessageW(handleOf(textBox), EM_SETREADONLY, on ? TRUE : FALSE, 0);
}

bool Win32Forms::selected(Ctl optionButton) const {
  return SendMessageW(handleOf(optionButton), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

Ctl Win32Forms::focused() const {
  const HWND focus = GetFocus();
  if (focus == nullptr || form() == nullptr || !IsChild(form(), focus)) return Ctl::Form1;
  return fromWindow(focus);
}

void Win32Forms::setFocus(Ctl c) {
  const HWND window = handleOf(c);
  if (window == nullptr) return;
  SetFocus(window);
  // Typing goes on at the end of what a field already holds.
  if (design_[c].kind == Kind::TextBox) {
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(window));
    SendMessageW(window, EM_SETSEL, end, static_cast<LPARAM>(end));
  }
}

int Win32Forms::selectedTab(Ctl tabStrip) const {
  return static_cast<int>(SendMessageW(handleOf(tabStrip), TCM_GETCURSEL, 0, 0)) + 1;
}

void Win32Forms::showOpen(Ctl /*dialog*/, std::wstring_view filter) {
  // "a|b|" as the dialog wants it: NUL-separated, ending in two NULs.
  std::wstring filters(filter);
  std::ranges::replace(filters, L'|', L'\0');
  filters.append(2, L'\0');
  std::wstring file(32768, L'\0');
  std::copy_n(fileName_.begin(), std::min(fileName_.size(), file.size() - 1), file.begin());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = form();
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_EXPLORER;
  if (GetOpenFileNameW(&ofn) == FALSE) return;  // cancelled: the previous name stays
  fileName_.assign(file.data(), std::wcslen(file.data()));
}

WindowState Win32Forms::windowState() const {
  return IsIconic(form()) ? WindowState::Minimised : WindowState::Normal;
}

void Win32Forms::setWindowState(WindowState state) {
  const bool iconic = IsIconic(form()) != FALSE;
  if (state == WindowState::Normal && iconic) ShowWindow(form(), SW_RESTORE);
  if (state == WindowState::Minimised && !iconic) ShowWindow(form(), SW_MINIMIZE);
}

void Win32Forms::show() {
  ShowWindow(form(), SW_SHOW);
  SetForegroundWindow(form());
}

void Win32Forms::popupMenu(Ctl menu) {
  POINT cursor{};
  GetCursorPos(&cursor);
  // A menu for the notification area closes on a click elsewhere only when its window
  // is in front, and dismisses properly only with a message after it.
  SetForegroundWindow(form());
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      control(menu).menu, TPM_RETURNCMD | TPM_NONOTIFY, cursor.x, cursor.y, 0, form(), nullptr));
  PostMessageW(form(), WM_NULL, 0, 0);
  if (chosen != 0) events_->click(fromId(chosen));
}

// An OK box raised under an open menu waits for the menu to close; its answer
// can only be OK. A question is asked at once, whatever the menu. A box raised
// while the window is hidden or behind others must still be seen.
int Win32Forms::msgBox(std::wstring_view text, std::uint32_t style, std::wstring_view title) {
  auto box = [this, body = std::wstring(text), style, caption = std::wstring(title)] {
    const HWND owner = close_.unloaded() ? nullptr : form();
    UINT flags = style | MB_SETFOREGROUND;
    if (loaded_ && (owner == nullptr || !IsWindowVisible(owner) || GetForegroundWindow() != owner))
      flags |= MB_TOPMOST;
    return MessageBoxW(owner, body.c_str(), caption.c_str(), flags);
  };
  return (style & MB_TYPEMASK) == MB_OK ? afterMenus_.run(box, IDOK) : box();
}

// The strip does not notify a selection made by code, so the click is raised here.
void Win32Forms::selectTab(Ctl tabStrip, int tab) {
  SendMessageW(handleOf(tabStrip), TCM_SETCURSEL, static_cast<WPARAM>(tab - 1), 0);
  events_->click(tabStrip);
}

// On failure a running timer keeps its previous period.
bool Win32Forms::setSystemTimer(Ctl timer, int periodMs) {
  return SetTimer(form(), itemId(timer), static_cast<UINT>(periodMs), nullptr) != 0;
}

void Win32Forms::killSystemTimer(Ctl timer) { KillTimer(form(), itemId(timer)); }

// One reading gives both times. FileTimeToLocalFileTime applies the bias in force
// now, as GetLocalTime does; Wine's zone information can report daylight time early.
LocalTime Win32Forms::readClock() const {
  FILETIME utc{};
  GetSystemTimeAsFileTime(&utc);
  FILETIME local{};
  if (FileTimeToLocalFileTime(&utc, &local) == FALSE) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SystemTimeToFileTime(&now, &local);
  }
  LocalTime t = localTimeAt(msSince1970(local));
  t.utcMs = msSince1970(utc);
  return t;
}

}  // namespace platform::win32
