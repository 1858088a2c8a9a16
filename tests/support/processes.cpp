#include "processes.h"

#include <string>
#include <utility>

#include "text.h"

namespace e2e {

namespace {

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

}  // namespace

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
  return folderOf(path);
}

std::wstring folderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash);
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

}  // namespace e2e
