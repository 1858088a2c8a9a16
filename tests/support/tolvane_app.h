// The program under test as the end-to-end driver sees it: a started process
// and its window, with controls found by the identifiers the window gives them.
#pragma once

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>

#include <optional>
#include <string>

#include "platform/controls.h"
#include "processes.h"

namespace e2e {

using platform::Ctl;

class TolvaneApp {
 public:
  // Starts the program (in `cwd`, or the driver's current folder) and waits for its window;
  // check() records a failure if it does not come.
  static std::optional<TolvaneApp> start(const std::wstring& exe, const std::wstring& cwd = L"");
  // Started by the Unix program that `command` (a Windows command line) runs, which starts wine:
  // it gets the driver's environment, so it can give the program a TZ or WINEDEBUG of its own.
  // No handle comes back: the program is found by its window. `how` names the start in checks.
  static std::optional<TolvaneApp> startFromUnix(std::wstring command, const std::string& how);
  // The same for a copy started by someone else, by its process id.
  static std::optional<TolvaneApp> attach(DWORD processId);

  HWND form() const { return form_; }
  HWND control(Ctl c) const;
  std::wstring text(Ctl c) const;
  const Process& process() const { return process_; }
  DWORD processId() const { return process_.id(); }

  // Waits until `c` reads `expected`; returns the last text read.
  std::wstring waitForText(Ctl c, const std::wstring& expected, DWORD timeoutMs) const;
  // The clock label's next change.
  std::optional<std::wstring> nextClockText(DWORD timeoutMs) const;

  // The index (from 0) of the tab whose caption reads `caption`, if one does.
  std::optional<int> tabReading(const std::wstring& caption) const;
  // Clicks tab `index` (from 0) with the mouse, as a user does.
  bool clickTab(int index) const;

  // Tells the window its monitor is now scaled to `dpi` from `from`, as the system does when the
  // window moves to another monitor; false if the message could not be delivered.
  bool changeDpi(int dpi, int from) const;

  // Closes the program the way a user does, answering Yes; returns its exit code.
  std::optional<DWORD> closeAndConfirm();

 private:
  static std::optional<TolvaneApp> withWindow(Process process);
  TolvaneApp(Process process, HWND form) : process_(std::move(process)), form_(form) {}
  Process process_;
  HWND form_;
};

// Local time now as "hh:mm:ss", `offsetSeconds` ahead.
std::wstring clockText(int offsetSeconds = 0);

// A message box of the program, its text, and pressing one of its buttons.
struct Box {
  HWND window = nullptr;
  std::wstring text;
};
Box waitForBox(const TolvaneApp& app, const std::wstring& title, DWORD timeoutMs);

}  // namespace e2e
