// Finding the top-level windows and controls of other processes, by title, class, owner and
// control ID.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct FindOptions {
  const wchar_t* windowClass = nullptr;  // exact class name, or any
  DWORD processId = 0;                   // owning process, or any
  bool visibleOnly = false;              // skip hidden windows (FindWindow finds them too)
};

// Top-level window whose title is exactly `title`, polled until found or `timeoutMs` passed.
HWND findTopWindow(const std::wstring& title, DWORD timeoutMs, const FindOptions& options = {});

// Descendant of `parent` (at any depth) with control ID `id`; nullptr if none.
HWND findControl(HWND parent, int id);
// The same, polled until found or `timeoutMs` passed.
HWND waitForControl(HWND parent, int id, DWORD timeoutMs);

// Top-level windows, owned pop-ups included, that match `options`, in Z order.
std::vector<HWND> topWindows(const FindOptions& options);
// Direct child windows of `parent` of class `windowClass`.
std::vector<HWND> childWindows(HWND parent, const wchar_t* windowClass);

}  // namespace e2e
