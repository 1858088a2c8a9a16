#include "driver_support.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <utility>
#include <vector>

namespace e2e {

namespace {

int passedCount = 0;
int failedCount = 0;

std::string lastErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : L"";
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  return "error " + std::to_string(code) + (text.empty() ? "" : ": " + utf8(text));
}

void printLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  // The driver may be killed by a timeout; every line already printed must reach the log.
  std::fflush(stdout);
}

// Keeps each result on one line of the log.
std::string oneLine(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

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

GUITHREADINFO guiThreadInfo(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (thread == 0 || !GetGUIThreadInfo(thread, &info)) return GUITHREADINFO{};
  return info;
}

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

// Memory lent in the process that owns a window, for messages whose parameters point to
// memory: the window reads and writes it there.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, std::size_t size) {
    const DWORD owner = windowProcessId(window);
    if (owner == 0) return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                               PROCESS_QUERY_LIMITED_INFORMATION,
                           FALSE, owner);
    if (process_ == nullptr) return;
    // Structures that hold pointers must be laid out for the owner's bitness: a process under
    // WoW64 runs 32-bit code, whatever the driver's own bitness.
    BOOL ownerWow64 = FALSE;
    if (!IsWow64Process(process_, &ownerWow64)) return;
    ownerPointerSize_ = ownerWow64 ? 4 : sizeof(void*);
    base_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() {
    if (base_ != nullptr) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }

  bool ok() const { return base_ != nullptr; }
  bool ownerSharesLayout() const { return ownerPointerSize_ == sizeof(void*); }
  bool ownerIs32Bit() const { return ownerPointerSize_ == 4; }
  void* at(std::size_t offset) const { return base_ + offset; }
  bool write(std::size_t offset, const void* data, std::size_t size) const {
    return WriteProcessMemory(process_, base_ + offset, data, size, nullptr) != FALSE;
  }
  bool read(std::size_t offset, void* data, std::size_t size) const {
    return ReadProcessMemory(process_, base_ + offset, data, size, nullptr) != FALSE;
  }
  // Reads the owner's memory anywhere, not only what was lent.
  bool readAt(std::uintptr_t address, void* data, std::size_t size) const {
    return ReadProcessMemory(process_, reinterpret_cast<const void*>(address), data, size,
                             nullptr) != FALSE;
  }

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
  std::size_t ownerPointerSize_ = 0;
};

std::optional<LRESULT> sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

// Room for the longest tooltip text (INFOTIPSIZE characters) and its NUL.
constexpr std::size_t kTooltipTextChars = 1025;

// TCITEMW as a 32-bit program lays it out: its pointer and LPARAM take four bytes.
struct TabItem32 {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  std::uint32_t pszText;
  int cchTextMax;
  int iImage;
  std::uint32_t lParam;
};
static_assert(sizeof(TabItem32) == 28);

constexpr int kTabTextChars = 256;

// A balloon's title is at most 63 characters; the tooltip's state is its 1024-character text
// and a few dozen words.
constexpr std::size_t kTitleChars = 64;
constexpr std::size_t kTooltipStateBytes = 2048 + 512;

// Asks for the text of tab `index` with an item of layout `Item` lent in the tab strip's process;
// `pointer` turns the remote text address into the item's pointer field.
template <typename Item, typename ToPointer>
std::optional<std::wstring> remoteTabText(HWND tabs, const RemoteMemory& remote, int index,
                                          ToPointer pointer) {
  Item item{};
  item.mask = TCIF_TEXT;
  item.pszText = pointer(remote.at(sizeof(Item)));
  item.cchTextMax = kTabTextChars;
  const wchar_t empty = L'\0';
  if (!remote.write(0, &item, sizeof item) || !remote.write(sizeof(Item), &empty, sizeof empty)) {
    return std::nullopt;
  }
  const auto got = sendWithTimeout(tabs, TCM_GETITEMW, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(remote.at(0)));
  if (!got || *got == 0) return std::nullopt;
  std::wstring text(kTabTextChars, L'\0');
  if (!remote.read(sizeof(Item), text.data(), text.size() * sizeof(wchar_t))) return std::nullopt;
  text.resize(std::wcslen(text.c_str()));
  return text;
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

std::string utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring wide(std::string_view text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

std::wstring exeDir() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L".";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(pollMs);
  }
}

std::optional<Process> Process::start(const std::wstring& exe, const std::wstring& args,
                                      const std::wstring& cwd, std::string* error) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!args.empty()) commandLine += L" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      cwd.empty() ? nullptr : cwd.c_str(), &startup, &info)) {
    if (error != nullptr) {
      *error = "cannot start " + utf8(exe) + ": " + lastErrorText(GetLastError());
    }
    return std::nullopt;
  }
  return Process(info.hProcess, info.hThread, info.dwProcessId, info.dwThreadId);
}

std::optional<Process> Process::open(DWORD id, std::string* error) {
  const HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, id);
  if (process == nullptr) {
    if (error != nullptr) {
      *error = "cannot open process " + std::to_string(id) + ": " + lastErrorText(GetLastError());
    }
    return std::nullopt;
  }
  return Process(process, nullptr, id, 0);
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      thread_(std::exchange(other.thread_, nullptr)),
      id_(std::exchange(other.id_, 0)),
      threadId_(std::exchange(other.threadId_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    close();
    process_ = std::exchange(other.process_, nullptr);
    thread_ = std::exchange(other.thread_, nullptr);
    id_ = std::exchange(other.id_, 0);
    threadId_ = std::exchange(other.threadId_, 0);
  }
  return *this;
}

Process::~Process() { close(); }

void Process::close() {
  if (thread_ != nullptr) CloseHandle(thread_);
  if (process_ != nullptr) CloseHandle(process_);
  thread_ = nullptr;
  process_ = nullptr;
}

bool Process::running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::waitExit(DWORD timeoutMs) const {
  if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

bool Process::waitIdle(DWORD timeoutMs) const {
  return process_ != nullptr && WaitForInputIdle(process_, timeoutMs) == 0;
}

void Process::kill(UINT exitCode) const {
  if (process_ == nullptr) return;
  TerminateProcess(process_, exitCode);
  WaitForSingleObject(process_, 5000);
}

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

std::optional<std::vector<TooltipTool>> tooltipTools(HWND tooltip) {
  if (tooltip == nullptr || !IsWindow(tooltip)) return std::nullopt;
  const std::size_t textBytes = kTooltipTextChars * sizeof(wchar_t);
  const RemoteMemory remote(tooltip, sizeof(TTTOOLINFOW) + textBytes);
  if (!remote.ok() || !remote.ownerSharesLayout()) return std::nullopt;
  auto* remoteInfo = static_cast<TTTOOLINFOW*>(remote.at(0));
  auto* remoteText = static_cast<wchar_t*>(remote.at(sizeof(TTTOOLINFOW)));

  const auto count = sendWithTimeout(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  if (!count) return std::nullopt;
  std::vector<TooltipTool> tools;
  for (LRESULT i = 0; i < *count; ++i) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    if (!remote.write(0, &info, sizeof info)) return std::nullopt;
    const auto listed = sendWithTimeout(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(remoteInfo));
    if (!listed) return std::nullopt;
    if (*listed == 0 || !remote.read(0, &info, sizeof info)) continue;

    // TTM_GETTEXTW finds the tool by window and ID and copies its text into lpszText.
    const wchar_t empty = L'\0';
    info.lpszText = remoteText;
    if (!remote.write(0, &info, sizeof info) ||
        !remote.write(sizeof(TTTOOLINFOW), &empty, sizeof empty)) {
      return std::nullopt;
    }
    if (!sendWithTimeout(tooltip, TTM_GETTEXTW, kTooltipTextChars,
                         reinterpret_cast<LPARAM>(remoteInfo))) {
      return std::nullopt;
    }
    std::wstring text(kTooltipTextChars, L'\0');
    if (!remote.read(sizeof(TTTOOLINFOW), text.data(), textBytes)) return std::nullopt;
    text.resize(std::wcslen(text.c_str()));
    tools.push_back({info.hwnd, info.uId, std::move(text)});
  }
  return tools;
}

std::vector<std::wstring> tooltipTitles(HWND tooltip) {
  if (tooltip == nullptr || !IsWindow(tooltip)) return {};
  const std::size_t textBytes = kTooltipTextChars * sizeof(wchar_t);
  const RemoteMemory remote(tooltip, sizeof(TTGETTITLE) + textBytes);
  if (!remote.ok() || !remote.ownerSharesLayout()) return {};
  TTGETTITLE title{};
  title.dwSize = sizeof title;
  title.cch = kTooltipTextChars;
  title.pszTitle = static_cast<wchar_t*>(remote.at(sizeof(TTGETTITLE)));
  const wchar_t empty = L'\0';
  std::wstring text(kTooltipTextChars, L'\0');
  if (remote.write(0, &title, sizeof title) &&
      remote.write(sizeof(TTGETTITLE), &empty, sizeof empty) &&
      sendWithTimeout(tooltip, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(remote.at(0))) &&
      remote.read(sizeof(TTGETTITLE), text.data(), textBytes) && text[0] != L'\0') {
    text.resize(std::wcslen(text.c_str()));
    return {text};
  }

  // Wine's tooltip control answers no TTM_GETTITLE. Its state, whose address is the control's
  // first window word, holds a pointer to the title: each word of the state that points at
  // readable text gives a candidate.
  const auto state = static_cast<std::uintptr_t>(GetWindowLongPtrW(tooltip, 0));
  std::vector<std::uintptr_t> words(kTooltipStateBytes / sizeof(std::uintptr_t));
  if (state == 0 || !remote.readAt(state, words.data(), words.size() * sizeof(std::uintptr_t))) {
    return {};
  }
  std::vector<std::wstring> candidates;
  for (const std::uintptr_t word : words) {
    std::array<wchar_t, kTitleChars + 1> candidate{};
    // A short read where a long one would cross into unmapped memory.
    if (word < 0x10000 || !(remote.readAt(word, candidate.data(), kTitleChars * sizeof(wchar_t)) ||
                            remote.readAt(word, candidate.data(), 16 * sizeof(wchar_t)))) {
      continue;
    }
    const std::wstring found(candidate.data());
    if (!found.empty() && std::all_of(found.begin(), found.end(),
                                      [](wchar_t c) { return c >= L' ' && c < 0xD800; })) {
      candidates.push_back(found);
    }
  }
  return candidates;
}

std::optional<std::wstring> tabText(HWND tabs, int index) {
  if (tabs == nullptr || !IsWindow(tabs)) return std::nullopt;
  const RemoteMemory remote(tabs, sizeof(TCITEMW) + kTabTextChars * sizeof(wchar_t));
  if (!remote.ok()) return std::nullopt;
  if (remote.ownerSharesLayout()) {
    return remoteTabText<TCITEMW>(tabs, remote, index,
                                  [](void* at) { return static_cast<wchar_t*>(at); });
  }
  // A 32-bit process's memory lies below 4 GiB, so its addresses fit the 32-bit field.
  if (!remote.ownerIs32Bit() || reinterpret_cast<std::uintptr_t>(remote.at(0)) > UINT32_MAX) {
    return std::nullopt;
  }
  return remoteTabText<TabItem32>(tabs, remote, index, [](void* at) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(at));
  });
}

std::optional<RECT> tabRect(HWND tabs, int index) {
  const RemoteMemory remote(tabs, sizeof(RECT));
  RECT item{};
  if (!remote.ok() ||
      !sendWithTimeout(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(remote.at(0)))
           .value_or(0) ||
      !remote.read(0, &item, sizeof item)) {
    return std::nullopt;
  }
  return item;
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

bool clickAt(POINT at) {
  return sendMouse(at, MOUSEEVENTF_MOVE) && sendMouse(at, MOUSEEVENTF_LEFTDOWN) &&
         sendMouse(at, MOUSEEVENTF_LEFTUP);
}

bool dragMouse(POINT from, POINT to, int steps) {
  if (!sendMouse(from, MOUSEEVENTF_MOVE) || !sendMouse(from, MOUSEEVENTF_LEFTDOWN)) return false;
  bool sent = true;
  for (int i = 1; i <= steps && sent; ++i) {
    const POINT along{from.x + MulDiv(to.x - from.x, i, steps),
                      from.y + MulDiv(to.y - from.y, i, steps)};
    sent = sendMouse(along, MOUSEEVENTF_MOVE);
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

bool check(std::string_view name, bool ok, std::string_view detail) {
  if (ok) {
    ++passedCount;
    printLine("PASS " + oneLine(name));
  } else {
    ++failedCount;
    printLine("FAIL " + oneLine(name) + ": " +
              (detail.empty() ? std::string("(no detail)") : oneLine(detail)));
  }
  return ok;
}

int finish() {
  printLine(std::to_string(passedCount) + " passed, " + std::to_string(failedCount) + " failed");
  return failedCount == 0 && passedCount > 0 ? 0 : 1;
}

}  // namespace e2e
