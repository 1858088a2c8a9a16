#include "message_boxes.h"

#include "input.h"
#include "window_finding.h"
#include "window_state.h"

namespace e2e {

HWND findMessageBox(const std::wstring& title, DWORD timeoutMs, DWORD processId) {
  FindOptions options;
  options.windowClass = L"#32770";
  options.processId = processId;
  options.visibleOnly = true;
  return findTopWindow(title, timeoutMs, options);
}

std::optional<std::wstring> messageBoxText(HWND box) {
  if (box == nullptr) return std::nullopt;
  HWND text = GetDlgItem(box, 0xFFFF);
  if (text == nullptr) return std::nullopt;
  return windowText(text);
}

bool answerMessageBox(HWND box, int buttonId) {
  if (box == nullptr) return false;
  return click(GetDlgItem(box, buttonId));
}

}  // namespace e2e
