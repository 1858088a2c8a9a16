#include "window_state.h"

namespace e2e {

namespace {

GUITHREADINFO guiThreadInfo(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return GUITHREADINFO{};
  return info;
}

}  // namespace

std::wstring className(HWND window) {
  wchar_t name[256] = {};
  const int length = window != nullptr ? GetClassNameW(window, name, 256) : 0;
  return std::wstring(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

DWORD windowProcessId(HWND window) {
  DWORD owner = 0;
  if (window == nullptr || GetWindowThreadProcessId(window, &owner) == 0) return 0;
  return owner;
}

std::optional<std::wstring> windowText(HWND window, DWORD timeoutMs) {
  if (window == nullptr || !IsWindow(window)) return std::nullopt;
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &length)) {
    return std::nullopt;
  }
  // The text can change between the two messages: a full buffer may mean it grew, so ask again
  // with more room.
  std::size_t capacity = static_cast<std::size_t>(length) + 64;
  for (int attempt = 0; attempt < 8; ++attempt, capacity *= 4) {
    std::wstring text(capacity, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, capacity, reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, timeoutMs, &copied)) {
      return std::nullopt;
    }
    if (static_cast<std::size_t>(copied) + 1 < capacity) {
      text.resize(static_cast<std::size_t>(copied));
      return text;
    }
  }
  return std::nullopt;
}

bool isVisible(HWND window) { return window != nullptr && IsWindowVisible(window); }

bool isEnabled(HWND window) { return window != nullptr && IsWindowEnabled(window); }

std::optional<SIZE> clientSize(HWND window) {
  RECT rect{};
  if (window == nullptr || !GetClientRect(window, &rect)) return std::nullopt;
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

std::optional<RECT> windowRect(HWND window) {
  RECT rect{};
  if (window == nullptr || !GetWindowRect(window, &rect)) return std::nullopt;
  return rect;
}

HWND focusedWindow(HWND window) { return guiThreadInfo(window).hwndFocus; }

HWND activeWindow(HWND window) { return guiThreadInfo(window).hwndActive; }

}  // namespace e2e
