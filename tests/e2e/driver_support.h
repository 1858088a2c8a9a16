// Support for the end-to-end driver: a separate Win32 program that starts the program under test,
// finds its windows and controls from outside, types, clicks and answers message boxes, and
// reports checks as "PASS name" / "FAIL name: detail" lines ending with "N passed, N failed".
//
// Every wait takes a timeout in milliseconds and gives up with a failure value; nothing here
// blocks on the other process without a limit.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// ---- text -------------------------------------------------------------------------------------

std::string utf8(std::wstring_view text);
std::wstring wide(std::string_view utf8);

// Directory of the running driver executable, without a trailing backslash.
std::wstring exeDir();

// ---- waiting ----------------------------------------------------------------------------------

inline constexpr DWORD kPollMs = 10;

// Polls `done` every `pollMs` until it returns true (then true) or `timeoutMs` passed (false).
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = kPollMs);

// ---- processes --------------------------------------------------------------------------------

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

// ---- finding windows --------------------------------------------------------------------------

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
std::wstring className(HWND window);
DWORD windowProcessId(HWND window);

// ---- reading state ----------------------------------------------------------------------------

inline constexpr DWORD kMessageTimeoutMs = 2000;

// WM_GETTEXT through SendMessageTimeoutW; std::nullopt if the window is gone or does not answer.
std::optional<std::wstring> windowText(HWND window, DWORD timeoutMs = kMessageTimeoutMs);
bool isVisible(HWND window);
bool isEnabled(HWND window);
std::optional<SIZE> clientSize(HWND window);
std::optional<RECT> windowRect(HWND window);
// Window with keyboard focus / the active window in the GUI thread that owns `window`; works
// for windows of other processes. nullptr if there is none or the thread is gone.
HWND focusedWindow(HWND window);
HWND activeWindow(HWND window);

// A tool of a tooltip control (class tooltips_class32).
struct TooltipTool {
  HWND window = nullptr;  // the window the tool belongs to
  UINT_PTR id = 0;
  std::wstring text;
};
// The tools of a tooltip control of any process, with their texts. Another process cannot read
// them with WM_GETTEXT, so TTM_ENUMTOOLSW and TTM_GETTEXTW run on memory lent in the control's
// process, which must have the driver's bitness. std::nullopt if the control is gone, does not
// answer or cannot be read.
std::optional<std::vector<TooltipTool>> tooltipTools(HWND tooltip);

// What may be the title of a tooltip control of any process (a balloon's title): the one title
// TTM_GETTITLE reads where the control answers it, else every text the control's state points at
// (Wine's control answers no TTM_GETTITLE). The process must have the driver's bitness; empty
// if nothing could be read.
std::vector<std::wstring> tooltipTitles(HWND tooltip);

// The caption of tab `index` (from 0) of a tab strip of any process, 32-bit or 64-bit: the item
// is lent in the strip's process, laid out for its bitness.
std::optional<std::wstring> tabText(HWND tabs, int index);
// The rectangle of tab `index` in the strip's client coordinates.
std::optional<RECT> tabRect(HWND tabs, int index);

// ---- acting -----------------------------------------------------------------------------------

// Posts BM_CLICK, so a modal box the click opens does not block the driver.
bool click(HWND button);

// Makes `window`'s top-level window the foreground window and gives `window` the keyboard focus,
// borrowing the target thread's input state for the moment (AttachThreadInput).
bool focusWindow(HWND window);

// Real key events through SendInput after focusWindow(target). Characters with a key on the
// keyboard layout go as that key (with Shift when needed), so the program sees WM_KEYDOWN with
// the key's virtual key; others go as KEYEVENTF_UNICODE.
bool typeText(HWND target, std::wstring_view text);
// Presses and releases each virtual key in turn after focusWindow(target).
bool pressKeys(HWND target, std::initializer_list<WORD> virtualKeys);
// Real mouse input through SendInput at screen points: a left click, and a drag with the left
// button held through `steps` moves.
bool clickAt(POINT at);
bool dragMouse(POINT from, POINT to, int steps = 8);
// Fallback that bypasses focus and the keyboard: one posted WM_CHAR per character.
bool postChars(HWND target, std::wstring_view text);

// ---- message boxes ----------------------------------------------------------------------------

// Visible message box (class #32770) titled exactly `title`, optionally of one process.
HWND findMessageBox(const std::wstring& title, DWORD timeoutMs, DWORD processId = 0);
// The box's message text (the static control with ID 0xFFFF).
std::optional<std::wstring> messageBoxText(HWND box);
// Posts BM_CLICK to the box's button `buttonId` (IDOK, IDYES, IDNO, ...); false if absent.
bool answerMessageBox(HWND box, int buttonId);

// ---- checks -----------------------------------------------------------------------------------

// Records one check and prints "PASS name" or "FAIL name: detail" (line breaks in the detail are
// shown as \n so each result stays on one line). Returns `ok`.
bool check(std::string_view name, bool ok, std::string_view detail = {});
// Prints "N passed, N failed" and returns the exit code: 0 when at least one check ran and none
// failed, 1 otherwise.
int finish();

}  // namespace e2e
