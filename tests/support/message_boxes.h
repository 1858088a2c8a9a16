// Message boxes of other processes: finding one by title, reading its text, pressing its buttons.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// Visible message box (class #32770) titled exactly `title`, optionally of one process.
HWND findMessageBox(const std::wstring& title, DWORD timeoutMs, DWORD processId = 0);
// The box's message text (the static control with ID 0xFFFF).
std::optional<std::wstring> messageBoxText(HWND box);
// Posts BM_CLICK to the box's button `buttonId` (IDOK, IDYES, IDNO, ...); false if absent.
bool answerMessageBox(HWND box, int buttonId);

}  // namespace e2e
