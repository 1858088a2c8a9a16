// Reading the state of another process's window: its class, owner, text, visibility, size and
// place, and where its thread's focus is.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

std::wstring className(HWND window);
DWORD windowProcessId(HWND window);

inline constexpr DWORD kMessageTimeoutMs = 2000;

// WM_GETTEXT through SendMessageTimeoutW; std::nullopt if the window is gone or does not answer.
std::optional<std::wstring> windowText(HWND window, DWORD timeoutMs = kMessageTimeoutMs);
bool isVisible(HWND window);
bool isEnabled(HWND window);
std::optional<SIZE> clientSize(HWND window);
std::optional<RECT> windowRect(HWND window);
// Window with keyboard focus / the active window in the GUI thread that owns `window`; works
// for windows of other processes. nullptr if there is none or the thread is gone.
HWND focusedWindow(HWND window);
HWND activeWindow(HWND window);

}  // namespace e2e
