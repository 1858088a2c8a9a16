#include "input.h"

#include <iterator>
#include <vector>

#include "waiting.h"
#include "window_state.h"

namespace e2e {

namespace {

INPUT keyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT unicodeInput(wchar_t ch, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = ch;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return input;
}

// At a typist's pace: the program may move the focus between two keys, and a
// key must not overtake the handling of the one before it.
constexpr DWORD kKeyPauseMs = 25;

bool send(std::vector<INPUT>& inputs) {
  for (auto& input : inputs) {
    if (SendInput(1, &input, sizeof(INPUT)) != 1) return false;
    Sleep(kKeyPauseMs);
  }
  Sleep(4 * kKeyPauseMs);
  return true;
}

// Absolute mouse input at a screen point; SendInput's coordinates span 0 to 65535.
INPUT mouseInput(POINT at, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65'535, GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = MulDiv(at.y, 65'535, GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | flags;
  return input;
}

bool sendMouse(POINT at, DWORD flags) {
  INPUT input = mouseInput(at, flags);
  const bool sent = SendInput(1, &input, sizeof(INPUT)) == 1;
  Sleep(kKeyPauseMs);
  return sent;
}

}  // namespace

bool click(HWND button) { return button != nullptr && PostMessageW(button, BM_CLICK, 0, 0); }

bool focusWindow(HWND window) {
  if (window == nullptr || !IsWindow(window)) return false;
  HWND top = GetAncestor(window, GA_ROOT);
  const DWORD self = GetCurrentThreadId();
  const DWORD target = GetWindowThreadProcessId(window, nullptr);
  // Sharing the target thread's input state lets this thread set its focus, and keeps Windows'
  // foreground lock from refusing SetForegroundWindow for a background process.
  const bool attached = target != self && AttachThreadInput(self, target, TRUE);
  SetForegroundWindow(top);
  BringWindowToTop(top);
  SetFocus(window);
  if (attached) AttachThreadInput(self, target, FALSE);
  return waitUntil([&] { return focusedWindow(window) == window; }, 1000);
}

bool typeText(HWND target, std::wstring_view text) {
  if (!focusWindow(target)) return false;
  std::vector<INPUT> inputs;
  for (wchar_t ch : text) {
    const SHORT scan = VkKeyScanW(ch == L'\n' ? L'\r' : ch);
    const bool hasKey = scan != -1 && (HIBYTE(scan) & ~1) == 0;
    if (!hasKey) {
      inputs.push_back(unicodeInput(ch, false));
      inputs.push_back(unicodeInput(ch, true));
      continue;
    }
    const WORD key = LOBYTE(scan);
    const bool shift = (HIBYTE(scan) & 1) != 0;
    if (shift) inputs.push_back(keyInput(VK_SHIFT, false));
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
    if (shift) inputs.push_back(keyInput(VK_SHIFT, true));
  }
  return send(inputs);
}

bool pressKeys(HWND target, std::initializer_list<WORD> virtualKeys) {
  if (!focusWindow(target)) return false;
  std::vector<INPUT> inputs;
  for (WORD key : virtualKeys) {
    inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(key, true));
  }
  return send(inputs);
}

bool pressChord(HWND target, std::initializer_list<WORD> keys) {
  if (!focusWindow(target)) return false;
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = key;
    inputs.push_back(down);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *key;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(50);  // let the program's thread take the keys before anything else is sent
  return sent == inputs.size();
}

bool clickAt(POINT at) {
  return sendMouse(at, MOUSEEVENTF_MOVE) && sendMouse(at, MOUSEEVENTF_LEFTDOWN) &&
         sendMouse(at, MOUSEEVENTF_LEFTUP);
}

// At a hand's pace: the program takes the press and starts its sizing or moving loop before the
// moves arrive, as it does for a user; sent all at once, a busy program could see the button up
// before it began.
bool dragMouse(POINT from, POINT to, int steps) {
  if (!sendMouse(from, MOUSEEVENTF_MOVE) || !sendMouse(from, MOUSEEVENTF_LEFTDOWN)) return false;
  Sleep(100);
  bool sent = true;
  for (int i = 1; i <= steps && sent; ++i) {
    const POINT along{from.x + MulDiv(to.x - from.x, i, steps),
                      from.y + MulDiv(to.y - from.y, i, steps)};
    sent = sendMouse(along, MOUSEEVENTF_MOVE);
    Sleep(15);
  }
  // The button goes up even if a move failed, so it is not left held down.
  return sendMouse(to, MOUSEEVENTF_LEFTUP) && sent;
}

bool postChars(HWND target, std::wstring_view text) {
  if (target == nullptr || !IsWindow(target)) return false;
  for (wchar_t ch : text) {
    if (!PostMessageW(target, WM_CHAR, ch, 1)) return false;
  }
  return true;
}

}  // namespace e2e
