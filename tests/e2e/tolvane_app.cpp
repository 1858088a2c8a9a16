#include "tolvane_app.h"

#include <cwchar>
#include <vector>

namespace e2e {

std::optional<TolvaneApp> TolvaneApp::start(const std::wstring& exe) {
  std::string error;
  auto process = Process::start(exe, L"", L"", &error);
  if (!check("program starts", process.has_value(), error)) return std::nullopt;
  return withWindow(std::move(*process));
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
      {.windowClass = L"TolvaneForm", .processId = process.id(), .visibleOnly = true});
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

std::optional<DWORD> TolvaneApp::closeAndConfirm() {
  PostMessageW(form_, WM_SYSCOMMAND, SC_CLOSE, 0);
  const Box box = waitForBox(*this, L"Exit?", 10'000);
  if (box.window == nullptr) return std::nullopt;
  answerMessageBox(box.window, IDYES);
  return process_.waitExit(10'000);
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

std::wstring clockText(int offsetSeconds) {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  const int seconds = ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond + offsetSeconds) % 86'400;
  wchar_t text[16];
  std::swprintf(text, 16, L"%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

// The tab's rectangle is read through memory lent in the program's process.
bool clickTab(const TolvaneApp& app, int index) {
  const HWND tabs = app.control(Ctl::TabStrip1);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, app.processId());
  if (process == nullptr) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT item{};
  const bool got = remote != nullptr &&
                   SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index - 1),
                                reinterpret_cast<LPARAM>(remote)) != 0 &&
                   ReadProcessMemory(process, remote, &item, sizeof item, nullptr);
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!got || !focusWindow(app.form())) return false;

  POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(tabs, &at);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (auto& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65'535, width - 1);
    input.mi.dy = MulDiv(at.y, 65'535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
  }
  inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  const bool sent = SendInput(3, inputs, sizeof(INPUT)) == 3;
  Sleep(100);
  return sent;
}

Box waitForBox(const TolvaneApp& app, const std::wstring& title, DWORD timeoutMs) {
  Box box;
  box.window = findMessageBox(title, timeoutMs, app.processId());
  if (box.window != nullptr) box.text = messageBoxText(box.window).value_or(L"");
  return box;
}

}  // namespace e2e
