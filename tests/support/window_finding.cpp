#include "window_finding.h"

#include "waiting.h"
#include "window_state.h"

namespace e2e {

namespace {

bool sameTitle(HWND window, const std::wstring& title) {
  // FindWindowEx compares titles without regard to case; the title must match exactly.
  std::wstring buffer(title.size() + 2, L'\0');
  const int length = GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()));
  return length == static_cast<int>(title.size()) && buffer.compare(0, title.size(), title) == 0;
}

HWND findTopWindowOnce(const std::wstring& title, const FindOptions& options) {
  HWND after = nullptr;
  while ((after = FindWindowExW(nullptr, after, options.windowClass, title.c_str())) != nullptr) {
    if (!sameTitle(after, title)) continue;
    if (options.visibleOnly && !IsWindowVisible(after)) continue;
    if (options.processId != 0) {
      DWORD owner = 0;
      GetWindowThreadProcessId(after, &owner);
      if (owner != options.processId) continue;
    }
    return after;
  }
  return nullptr;
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK matchControl(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgCtrlID(child) == search->id) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND findTopWindow(const std::wstring& title, DWORD timeoutMs, const FindOptions& options) {
  HWND found = nullptr;
  waitUntil([&] { return (found = findTopWindowOnce(title, options)) != nullptr; }, timeoutMs);
  return found;
}

HWND findControl(HWND parent, int id) {
  if (parent == nullptr || !IsWindow(parent)) return nullptr;
  ControlSearch search{id, nullptr};
  EnumChildWindows(parent, matchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND waitForControl(HWND parent, int id, DWORD timeoutMs) {
  HWND found = nullptr;
  waitUntil([&] { return (found = findControl(parent, id)) != nullptr; }, timeoutMs);
  return found;
}

std::vector<HWND> topWindows(const FindOptions& options) {
  std::vector<HWND> found;
  HWND after = nullptr;
  while ((after = FindWindowExW(nullptr, after, options.windowClass, nullptr)) != nullptr) {
    if (options.visibleOnly && !IsWindowVisible(after)) continue;
    if (options.processId != 0 && windowProcessId(after) != options.processId) continue;
    found.push_back(after);
  }
  return found;
}

std::vector<HWND> childWindows(HWND parent, const wchar_t* windowClass) {
  std::vector<HWND> found;
  if (parent == nullptr || !IsWindow(parent)) return found;
  HWND after = nullptr;
  while ((after = FindWindowExW(parent, after, windowClass, nullptr)) != nullptr) {
    found.push_back(after);
  }
  return found;
}

}  // namespace e2e
