// Processes the driver starts or opens, and where the programs beside the driver lie.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// Directory of the running driver executable, without a trailing backslash.
std::wstring exeDir();
// The folder of a program given by its path.
std::wstring folderOf(const std::wstring& path);
// Whether the driver runs under Wine.
inline bool underWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// A started process. Owns its handles; the process itself is left running on destruction.
class Process {
 public:
  // Starts `exe` with `args` (appended to the quoted exe path to form the command line) in
  // `cwd` (empty: the driver's current directory). Returns std::nullopt and fills `error` when
  // CreateProcessW fails.
  static std::optional<Process> start(const std::wstring& exe, const std::wstring& args = L"",
                                      const std::wstring& cwd = L"", std::string* error = nullptr);

  // A process that is already running, by its id; std::nullopt and `error` if it cannot be
  // opened.
  static std::optional<Process> open(DWORD id, std::string* error = nullptr);

  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  DWORD id() const { return id_; }
  DWORD mainThreadId() const { return threadId_; }
  HANDLE handle() const { return process_; }

  bool running() const;
  // Exit code once the process ended within `timeoutMs`; std::nullopt if it is still running.
  std::optional<DWORD> waitExit(DWORD timeoutMs) const;
  // Waits until the process is idle waiting for input (its first window can be looked for).
  bool waitIdle(DWORD timeoutMs) const;
  // Ends the process with `exitCode` and waits briefly for it to go.
  void kill(UINT exitCode = 1) const;

 private:
  Process(HANDLE process, HANDLE thread, DWORD id, DWORD threadId)
      : process_(process), thread_(thread), id_(id), threadId_(threadId) {}
  void close();

  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD id_ = 0;
  DWORD threadId_ = 0;
};

}  // namespace e2e
