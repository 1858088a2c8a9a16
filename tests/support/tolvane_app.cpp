#include "tolvane_app.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "app/alarm_time.h"
#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "remote_memory.h"
#include "text.h"
#include "waiting.h"
#include "window_finding.h"
#include "window_state.h"

namespace e2e {

std::optional<TolvaneApp> TolvaneApp::start(const std::wstring& exe, const std::wstring& cwd) {
  std::string error;
  auto process = Process::start(exe, L"", cwd, &error);
  if (!check("program starts", process.has_value(), error)) return std::nullopt;
  return withWindow(std::move(*process));
}

std::optional<TolvaneApp> TolvaneApp::startFromUnix(std::wstring command, const std::string& how) {
  const std::vector<HWND> before = topWindows({.windowClass = platform::kFormClassName});
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  const bool ok = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &started) != FALSE;
  if (started.hProcess != nullptr) CloseHandle(started.hProcess);
  if (started.hThread != nullptr) CloseHandle(started.hThread);
  if (!check("wine starts the program " + how, ok, utf8(command))) return std::nullopt;
  // A copy some earlier scenario left running is not the one started here.
  HWND form = nullptr;
  waitUntil(
      [&] {
        for (const HWND w :
             topWindows({.windowClass = platform::kFormClassName, .visibleOnly = true})) {
          if (std::find(before.begin(), before.end(), w) == before.end()) form = w;
        }
        return form != nullptr;
      },
      15'000, 50);
  DWORD processId = 0;
  if (form != nullptr) GetWindowThreadProcessId(form, &processId);
  if (!check("the program " + how + " shows its window", processId != 0)) return std::nullopt;
  return attach(processId);
}

std::optional<TolvaneApp> TolvaneApp::attach(DWORD processId) {
  std::string error;
  auto process = Process::open(processId, &error);
  if (!check("program is found", process.has_value(), error)) return std::nullopt;
  return withWindow(std::move(*process));
}

std::optional<TolvaneApp> TolvaneApp::withWindow(Process process) {
  const HWND form = findTopWindow(
      L"Tolvane", 15'000,
      {.windowClass = platform::kFormClassName, .processId = process.id(), .visibleOnly = true});
  if (!check("program shows its window", form != nullptr)) {
    process.kill();
    return std::nullopt;
  }
  return TolvaneApp(std::move(process), form);
}

HWND TolvaneApp::control(Ctl c) const {
  return c == Ctl::Form1 ? form_ : findControl(form_, platform::controlId(c));
}

std::wstring TolvaneApp::text(Ctl c) const { return windowText(control(c)).value_or(L"<gone>"); }

std::wstring TolvaneApp::waitForText(Ctl c, const std::wstring& expected, DWORD timeoutMs) const {
  std::wstring last;
  waitUntil([&] { return (last = text(c)) == expected; }, timeoutMs);
  return last;
}

std::optional<std::wstring> TolvaneApp::nextClockText(DWORD timeoutMs) const {
  const std::wstring before = text(Ctl::Label1);
  std::wstring now;
  if (!waitUntil([&] { return (now = text(Ctl::Label1)) != before; }, timeoutMs, 1)) {
    return std::nullopt;
  }
  return now;
}

std::optional<int> TolvaneApp::tabReading(const std::wstring& caption) const {
  const HWND tabs = control(Ctl::TabStrip1);
  const auto count = SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    if (tabText(tabs, i) == caption) return i;
  }
  return std::nullopt;
}

bool TolvaneApp::clickTab(int index) const {
  const HWND tabs = control(Ctl::TabStrip1);
  const auto item = tabRect(tabs, index);
  if (!item || !focusWindow(form_)) return false;
  POINT at{(item->left + item->right) / 2, (item->top + item->bottom) / 2};
  ClientToScreen(tabs, &at);
  const bool clicked = clickAt(at);
  Sleep(100);
  return clicked;
}

// WM_DPICHANGED carries a pointer to the suggested rectangle, so it is written in the program's
// own memory first.
bool TolvaneApp::changeDpi(int dpi, int from) const {
  RECT suggested{};
  GetWindowRect(form_, &suggested);
  suggested.right = suggested.left + MulDiv(suggested.right - suggested.left, dpi, from);
  suggested.bottom = suggested.top + MulDiv(suggested.bottom - suggested.top, dpi, from);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId());
  if (process == nullptr) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT, PAGE_READWRITE);
  DWORD_PTR ignored = 0;
  const bool sent =
      remote != nullptr &&
      WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr) &&
      SendMessageTimeoutW(form_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                          reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5'000, &ignored) != 0;
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return sent;
}

std::optional<DWORD> TolvaneApp::closeAndConfirm() {
  PostMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
  const Box box = waitForBox(*this, L"Exit?", 10'000);
  if (box.window == nullptr) return std::nullopt;
  answerMessageBox(box.window, IDYES);
  return process_.waitExit(10'000);
}

std::wstring clockText(int offsetSeconds) {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  const int seconds = ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond + offsetSeconds) % 86'400;
  return app::formatClock(
      {.hour = seconds / 3600, .minute = seconds / 60 % 60, .second = seconds % 60});
}

Box waitForBox(const TolvaneApp& app, const std::wstring& title, DWORD timeoutMs) {
  Box box;
  box.window = findMessageBox(title, timeoutMs, app.processId());
  if (box.window != nullptr) box.text = messageBoxText(box.window).value_or(L"");
  return box;
}

}  // namespace e2e
