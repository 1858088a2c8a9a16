#include <algorithm>
#include <array>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "scenarios.h"
#include "sound_support.h"
#include "text.h"
#include "waiting.h"
#include "window_finding.h"
#include "window_state.h"

namespace e2e {

namespace {

bool isShown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

// Clicks the tab that reads `caption`; true once the page `shown` is showing and `hidden` is not.
bool openPage(const TolvaneApp& app, const std::wstring& caption, Ctl shown, Ctl hidden) {
  const auto tab = app.tabReading(caption);
  return tab && app.clickTab(*tab) &&
         waitUntil([&] { return isShown(app.control(shown)) && !isShown(app.control(hidden)); },
                   3'000);
}

HWND openToneDialog(const TolvaneApp& app) {
  click(app.control(Ctl::Option2));
  check("Chose tone enables the chooser",
        waitUntil([&] { return isEnabled(app.control(Ctl::Command3)); }, 3'000));
  click(app.control(Ctl::Command3));
  return findTopWindow(
      L"Open", 10'000,
      {.windowClass = L"#32770", .processId = app.processId(), .visibleOnly = true});
}

// Types the path into the dialog's file name box and presses Open; returns the tone box's text.
std::wstring enterTonePath(const TolvaneApp& app, HWND dialog, const std::wstring& tonePath) {
  HWND name = findControl(dialog, 0x47C);  // the file name box, an edit inside a combo box
  if (HWND inner = FindWindowExW(name, nullptr, L"Edit", nullptr)) name = inner;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tonePath.c_str()));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  return app.waitForText(Ctl::Text4, tonePath, 10'000);
}

void choosesATone(const TolvaneApp& app, const std::wstring& tonePath) {
  check("the tab that reads \"Setting Tone\" shows the tone page and hides the alarm page",
        openPage(app, L"Setting Tone", Ctl::Fr3, Ctl::Fr2));
  check("focus goes to Default", focusedWindow(app.form()) == app.control(Ctl::Option1));

  const HWND dialog = openToneDialog(app);
  if (!check("open-file dialog opens", dialog != nullptr)) return;
  const HWND types = findControl(dialog, 0x470);  // the file type list
  const std::wstring filter = windowText(types).value_or(L"");
  check("dialog offers the (*.wav) filter", filter == L"(*.wav)", utf8(filter));
  const std::wstring shown = enterTonePath(app, dialog, tonePath);
  check("chosen file shows in the tone box", shown == tonePath, utf8(shown));
  check("chosen file becomes the tone path", app.text(Ctl::Label6) == tonePath);

  check("the tab that reads \"Setting Alarm\" shows the alarm page and hides the tone page",
        openPage(app, L"Setting Alarm", Ctl::Fr2, Ctl::Fr3));
}

void entersTimeAndMessage(const TolvaneApp& app) {
  typeText(app.control(Ctl::Text1), L"073000");
  check("six digits fill hours, minutes and seconds",
        app.waitForText(Ctl::Text3, L"00", 3'000) == L"00" && app.text(Ctl::Text1) == L"07" &&
            app.text(Ctl::Text2) == L"30");
  check("focus moves on to the message", focusedWindow(app.form()) == app.control(Ctl::Text5));

  typeText(app.control(Ctl::Text2), L"a");
  const Box error = waitForBox(app, L"ERROR", 5'000);
  check("a letter raises the ERROR box", error.window != nullptr);
  check("ERROR box says so", error.text == L"Inputan harus berupa angka", utf8(error.text));
  answerMessageBox(error.window, IDOK);
  check("the field is emptied", app.waitForText(Ctl::Text2, L"", 3'000).empty());
  check("and keeps the focus",
        waitUntil([&] { return focusedWindow(app.form()) == app.control(Ctl::Text2); }, 3'000));

  typeText(app.control(Ctl::Text2), L"30");
  typeText(app.control(Ctl::Text5), L"wake");
  pressChord(app.form(), {VK_MENU, 'O'});
  check("Alt+O arms the typed time",
        app.waitForText(Ctl::Label4, L"07:30:00", 3'000) == L"07:30:00");
  check("and locks the message",
        (GetWindowLongPtrW(app.control(Ctl::Text5), GWL_STYLE) & ES_READONLY) != 0);
  pressChord(app.form(), {VK_MENU, 'R'});
  check("Alt+R disarms", app.waitForText(Ctl::Label4, L"", 3'000).empty());
  check("Alt+R clears every field", app.text(Ctl::Text1).empty() && app.text(Ctl::Text2).empty() &&
                                        app.text(Ctl::Text3).empty() &&
                                        app.text(Ctl::Text5).empty());
  check("Alt+R unlocks the message",
        (GetWindowLongPtrW(app.control(Ctl::Text5), GWL_STYLE) & ES_READONLY) == 0);
  check("Alt+R focuses the hours", focusedWindow(app.form()) == app.control(Ctl::Text1));
}

// Armed entirely from the keyboard, a few seconds ahead; returns the alarm time.
std::wstring armFromKeyboard(const TolvaneApp& app, const std::wstring& message) {
  std::wstring at = clockText(6);
  typeText(app.control(Ctl::Text1), at.substr(0, 2) + at.substr(3, 2) + at.substr(6, 2));
  typeText(app.control(Ctl::Text5), message);
  pressChord(app.form(), {VK_MENU, 'O'});
  check("alarm is armed", app.waitForText(Ctl::Label4, at, 3'000) == at,
        utf8(app.text(Ctl::Label4)));
  return at;
}

// Armed, then hidden in the notification area: the alarm still fires, with the
// default sound, and its box comes to the front although the window is hidden.
void firesWithTheDefaultToneWhileHidden(const std::wstring& exe) {
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  const std::size_t soundBefore = capturedSound().size();
  armFromKeyboard(*app, L"default");
  PostMessageW(app->form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  check("minimised before the alarm",
        waitUntil([&] { return !IsWindowVisible(app->form()); }, 3'000));
  const Box alarm = waitForBox(*app, L"PESAN", 15'000);
  check("with no tone chosen the alarm still fires", alarm.text == L"default", utf8(alarm.text));
  const std::vector<char> defaultSound = defaultSoundSamples();
  check("and the default sound plays",
        !defaultSound.empty() && tonePlayed(defaultSound, soundBefore));
  // Wine's message box ignores MB_TOPMOST, so only coming to the front is seen here.
  check("its box comes to the front", GetForegroundWindow() == alarm.window);
  answerMessageBox(alarm.window, IDOK);
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

// While a PESAN box is open the tick goes on: the clock still changes, and an alarm due a few
// seconds later fires a box of its own over the first. The window is disabled under the box, so
// the second time is written into the alarm label as Ok writes it.
void ticksOnUnderTheBox(const TolvaneApp& app, HWND firstBox) {
  const auto first = app.nextClockText(3'000);
  const auto second = first ? app.nextClockText(3'000) : std::nullopt;
  check("the clock keeps changing while PESAN is open", second.has_value() && first != second,
        first ? utf8(*first) : "no change");

  const std::wstring at = clockText(3);
  SendMessageW(app.control(Ctl::Label4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(at.c_str()));
  HWND secondBox = nullptr;
  waitUntil(
      [&] {
        for (HWND box : topWindows(
                 {.windowClass = L"#32770", .processId = app.processId(), .visibleOnly = true})) {
          if (box != firstBox && windowText(box) == L"PESAN") secondBox = box;
        }
        return secondBox != nullptr;
      },
      12'000);
  check("an alarm due while PESAN is open fires a second box",
        secondBox != nullptr && isVisible(firstBox), "armed for " + utf8(at));
  answerMessageBox(secondBox, IDOK);
  waitUntil([&] { return !IsWindow(secondBox); }, 3'000);
}

// A file chosen, then "Default" selected: the alarm plays the default sound, not the file.
// The seconds are typed as one digit, which arms them padded.
void defaultPlaysTheDefaultSound(const std::wstring& exe) {
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  const std::vector<char> pcm = toneSamples(0.0527);
  const std::wstring tonePath = writeToneFile(pcm, L"tolvane-e2e-tone-unchosen.wav");
  const bool picked = openPage(*app, L"Setting Tone", Ctl::Fr3, Ctl::Fr2) && [&] {
    const HWND dialog = openToneDialog(*app);
    return dialog != nullptr && enterTonePath(*app, dialog, tonePath) == tonePath;
  }();
  click(app->control(Ctl::Option1));
  check("a file is chosen, then Default",
        picked && waitUntil([&] { return !isEnabled(app->control(Ctl::Command3)); }, 3'000));
  openPage(*app, L"Setting Alarm", Ctl::Fr2, Ctl::Fr3);

  // An alarm second from 00 to 09 a few seconds ahead, so its seconds can be typed as one digit.
  std::wstring at;
  waitUntil([&] { return (at = clockText(6))[6] == L'0'; }, 61'000, 20);
  typeText(app->control(Ctl::Text1), at.substr(0, 2) + at.substr(3, 2));
  typeText(app->control(Ctl::Text3), at.substr(7, 1));
  typeText(app->control(Ctl::Text5), L"default");
  pressChord(app->form(), {VK_MENU, 'O'});
  check("seconds typed as one digit arm " + utf8(at),
        app->waitForText(Ctl::Label4, at, 3'000) == at, utf8(app->text(Ctl::Label4)));

  const std::size_t soundBefore = capturedSound().size();
  const Box alarm = waitForBox(*app, L"PESAN", 15'000);
  check("and fire", alarm.text == L"default", utf8(alarm.text));
  const std::vector<char> defaultSound = defaultSoundSamples();
  const bool sounded = !defaultSound.empty() && tonePlayed(defaultSound, soundBefore);
  Sleep(1'000);  // the sink's last bytes, had the file played
  check("with Default selected the default sound plays, not the chosen file",
        sounded && !tonePlayed(pcm, soundBefore));
  answerMessageBox(alarm.window, IDOK);
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

// A tone path the ANSI code page holds goes to the sound service as it is.
void playsAnAnsiNamedTone(const TolvaneApp& app) {
  const std::vector<char> pcm = toneSamples(0.0411);
  const std::wstring tonePath = writeToneFile(pcm, L"tolvane-e2e-tone-ansi.wav");
  pressChord(app.form(), {VK_MENU, 'R'});
  const bool picked = openPage(app, L"Setting Tone", Ctl::Fr3, Ctl::Fr2) && [&] {
    const HWND dialog = openToneDialog(app);
    return dialog != nullptr && enterTonePath(app, dialog, tonePath) == tonePath;
  }() && openPage(app, L"Setting Alarm", Ctl::Fr2, Ctl::Fr3);
  if (!check("a tone with an ANSI name is chosen", picked, utf8(app.text(Ctl::Text4)))) return;

  const std::size_t soundBefore = capturedSound().size();
  armFromKeyboard(app, L"ansi");
  const Box alarm = waitForBox(app, L"PESAN", 15'000);
  check("the tone with an ANSI name plays before its box",
        alarm.window != nullptr && tonePlayed(pcm, soundBefore));
  answerMessageBox(alarm.window, IDOK);
}

// Reset, then armed a few seconds ahead: whether `pcm` played before the alarm's box.
bool ringsWith(const TolvaneApp& app, const std::vector<char>& pcm, const std::wstring& message) {
  pressChord(app.form(), {VK_MENU, 'R'});
  app.waitForText(Ctl::Label4, L"", 3'000);
  const std::size_t soundBefore = capturedSound().size();
  armFromKeyboard(app, message);
  const Box alarm = waitForBox(app, L"PESAN", 15'000);
  check("the alarm box shows " + utf8(message), alarm.text == message, utf8(alarm.text));
  const bool played = alarm.window != nullptr && tonePlayed(pcm, soundBefore);
  answerMessageBox(alarm.window, IDOK);
  waitUntil([&] { return !IsWindow(alarm.window); }, 3'000);
  return played;
}

// With no default sound registered, where Windows would play nothing the program plays its
// own tone; with the default sound back, Windows' fallback plays again instead.
void ownToneWhenWindowsHasNoDefault(const std::wstring& exe) {
  const std::vector<char> ownTone = ownToneSamples(exe);
  if (!check("the program holds a tone of its own", ownTone.size() > 4'000)) return;
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  std::optional<NoDefaultSound> noDefault(std::in_place);
  const std::vector<char> registered = noDefault->registeredSamples();

  const bool defaultSelected = openPage(*app, L"Setting Tone", Ctl::Fr3, Ctl::Fr2) &&
                               click(app->control(Ctl::Option1)) &&
                               openPage(*app, L"Setting Alarm", Ctl::Fr2, Ctl::Fr3);
  check("with no default sound, Default plays the program's own tone",
        defaultSelected && ringsWith(*app, ownTone, L"own tone"));

  const auto choose = [&](const std::wstring& tonePath) {
    return openPage(*app, L"Setting Tone", Ctl::Fr3, Ctl::Fr2) && [&] {
      const HWND dialog = openToneDialog(*app);
      return dialog != nullptr && enterTonePath(*app, dialog, tonePath) == tonePath;
    }() && openPage(*app, L"Setting Alarm", Ctl::Fr2, Ctl::Fr3);
  };
  constexpr std::uint16_t kUnknownFormat = 0x7A1B;
  const std::wstring oddPath =
      writeToneFile(toneSamples(0.0587), L"tolvane-e2e-tone-odd.wav", kUnknownFormat);
  check(
      "with no default sound, a chosen file in a format Windows cannot play plays the "
      "program's own tone",
      choose(oddPath) && ringsWith(*app, ownTone, L"odd format"));

  const std::wstring tonePath = writeToneFile(toneSamples(0.0619), L"tolvane-e2e-tone-gone.wav");
  check("a chosen tone is deleted", choose(tonePath) && DeleteFileW(tonePath.c_str()) != FALSE);
  check("with no default sound, a deleted chosen file plays the program's own tone",
        ringsWith(*app, ownTone, L"file gone"));

  noDefault.reset();
  const std::size_t soundBefore = capturedSound().size();
  check("with the default sound back, a deleted chosen file plays it",
        !registered.empty() && ringsWith(*app, registered, L"default back"));
  check("and not the program's own tone", !tonePlayed(ownTone, soundBefore));
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

// The program's calls to the power functions, as Wine's relay trace prints them:
// "0024:Call KERNEL32.SetThreadExecutionState(80000001) ret=0040160e" (pointers as addresses).
struct TracedCall {
  std::string name;
  std::vector<unsigned long long> args;
};

class PowerTrace {
 public:
  // Wine's relay trace reads the list of calls to trace when a program starts; the value the
  // session had is put back afterwards.
  PowerTrace() {
    DWORD bytes = sizeof before_;
    had_ = RegGetValueW(HKEY_CURRENT_USER, kDebugKey, L"RelayInclude", RRF_RT_REG_SZ, nullptr,
                        before_.data(), &bytes) == ERROR_SUCCESS;
    RegSetKeyValueW(HKEY_CURRENT_USER, kDebugKey, L"RelayInclude", REG_SZ, kTraced, sizeof kTraced);
    const wchar_t* workdir = _wgetenv(L"WINE_SESSION_WORKDIR");
    unixPath_ = std::wstring(workdir != nullptr ? workdir : L"/tmp") + L"/power-trace.log";
  }
  ~PowerTrace() {
    if (!had_) {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kDebugKey, L"RelayInclude");
      return;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, kDebugKey, L"RelayInclude", REG_SZ, before_.data(),
                    static_cast<DWORD>((std::wcslen(before_.data()) + 1) * sizeof(wchar_t)));
  }
  PowerTrace(const PowerTrace&) = delete;
  PowerTrace& operator=(const PowerTrace&) = delete;

  // A shell starts wine with the relay trace on, the trace going to the file.
  std::wstring command(const std::wstring& exe) const {
    return L"Z:\\bin\\sh -c \"exec env WINEDEBUG=-all,+relay wine '" + exe + L"' 2>'" + unixPath_ +
           L"'\"";
  }

  std::vector<TracedCall> calls() const {
    std::wstring windowsPath = L"Z:" + unixPath_;
    for (wchar_t& ch : windowsPath) ch = ch == L'/' ? L'\\' : ch;
    std::ifstream file(windowsPath.c_str());
    std::vector<TracedCall> calls;
    for (std::string line; std::getline(file, line);) {
      const auto call = line.find(":Call ");
      const auto open = line.find('(', call);
      const auto close = line.find(')', open);
      if (call == std::string::npos || close == std::string::npos) continue;
      const std::string function = line.substr(call + 6, open - call - 6);  // "KERNEL32.Name"
      const auto dot = function.find('.');
      if (dot == std::string::npos || function.find(' ') != std::string::npos) continue;
      TracedCall traced{function.substr(dot + 1), {}};
      std::istringstream args(line.substr(open + 1, close - open - 1));
      for (std::string arg; std::getline(args, arg, ',');) {
        traced.args.push_back(std::stoull(arg, nullptr, 16));
      }
      calls.push_back(std::move(traced));
    }
    return calls;
  }

  // The first call whose name begins with `name` after the first `skip` calls, waited for
  // up to `timeoutMs`.
  std::optional<TracedCall> waitFor(const std::string& name, std::size_t skip,
                                    DWORD timeoutMs = 3'000) const {
    std::optional<TracedCall> found;
    waitUntil(
        [&] {
          const std::vector<TracedCall> all = calls();
          for (std::size_t i = skip; i < all.size() && !found; ++i) {
            if (all[i].name.starts_with(name)) found = all[i];
          }
          return found.has_value();
        },
        timeoutMs);
    return found;
  }

 private:
  static constexpr const wchar_t* kDebugKey = L"Software\\Wine\\Debug";
  static constexpr wchar_t kTraced[] =
      L"SetWaitableTimer;SetWaitableTimerEx;CancelWaitableTimer;SetThreadExecutionState";
  std::wstring unixPath_;
  std::array<wchar_t, 1024> before_{};
  bool had_ = false;
};

constexpr ULONGLONG kTicksPerSecond = 10'000'000;
constexpr ULONGLONG kTicksPerDay = 86'400 * kTicksPerSecond;

ULONGLONG ticksOf(const FILETIME& t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The UTC time, in FILETIME ticks, of the next `alarm` ("hh:mm:ss") on the local clock.
ULONGLONG nextOccurrence(const std::wstring& alarm) {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  const bool tomorrow = alarm < clockText();
  local.wHour = static_cast<WORD>(std::stoi(alarm.substr(0, 2)));
  local.wMinute = static_cast<WORD>(std::stoi(alarm.substr(3, 2)));
  local.wSecond = static_cast<WORD>(std::stoi(alarm.substr(6, 2)));
  local.wMilliseconds = 0;
  SYSTEMTIME utc{};
  FILETIME at{};
  TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
  SystemTimeToFileTime(&utc, &at);
  return ticksOf(at) + (tomorrow ? kTicksPerDay : 0);
}

// When the program's timer `handle` is due: it is duplicated and asked for the time remaining.
std::optional<ULONGLONG> dueTime(const TolvaneApp& app, unsigned long long handle) {
  struct TimerBasicInformation {
    LARGE_INTEGER remaining;
    BOOLEAN signalled;
  } info{};
  using QueryTimer = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  const auto queryTimer = reinterpret_cast<QueryTimer>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryTimer")));
  HANDLE timer = nullptr;
  if (queryTimer == nullptr ||
      DuplicateHandle(app.process().handle(), reinterpret_cast<HANDLE>(handle), GetCurrentProcess(),
                      &timer, 0, FALSE, DUPLICATE_SAME_ACCESS) == FALSE) {
    return std::nullopt;
  }
  const LONG status = queryTimer(timer, 0, &info, sizeof info, nullptr);
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  CloseHandle(timer);
  if (status != 0) return std::nullopt;
  return ticksOf(now) + static_cast<ULONGLONG>(info.remaining.QuadPart);
}

// Whether the timer `call` set is due within a second of `expected`, and resumes the system:
// SetWaitableTimer's fResume or SetWaitableTimerEx's wake context, each the sixth argument.
bool resumesAt(const TolvaneApp& app, const std::optional<TracedCall>& call, ULONGLONG expected,
               std::string& detail) {
  if (!call || call->args.size() < 6) return false;
  const auto due = dueTime(app, call->args[0]);
  const long long off = due ? static_cast<long long>(*due - expected) : 0;
  detail = call->name + " resume/context " + std::to_string(call->args[5]) + ", due " +
           (due ? std::to_string(off / 10'000) + " ms from the expected time" : "unknown");
  return call->args[5] != 0 && due && off < static_cast<long long>(kTicksPerSecond) &&
         -off < static_cast<long long>(kTicksPerSecond);
}

// Under Wine, what the program asks of the power manager is read from a relay trace of its
// calls, and the timer's due time from the timer itself, duplicated out of the program.
void wakesTheComputerForTheAlarm(const std::wstring& exe) {
  if (!underWine()) {
    std::puts("SKIP waking for the alarm: the power calls are traced under Wine only");
    return;
  }
  const PowerTrace trace;
  auto app = TolvaneApp::startFromUnix(trace.command(exe), "with its power calls traced");
  if (!app) return;
  const std::wstring later = clockText(240);
  typeText(app->control(Ctl::Text1), later.substr(0, 2) + later.substr(3, 2) + later.substr(6, 2));
  pressChord(app->form(), {VK_MENU, 'O'});
  check("an alarm four minutes ahead is armed",
        app->waitForText(Ctl::Label4, later, 3'000) == later);
  const auto timer = trace.waitFor("SetWaitableTimer", 0);
  std::string detail;
  check("Ok sets a timer that resumes the system a minute before the alarm",
        resumesAt(*app, timer, nextOccurrence(later) - 60 * kTicksPerSecond, detail), detail);
  check("and keeps the system running only nearer the alarm",
        std::ranges::none_of(trace.calls(), [](const TracedCall& c) {
          return c.name == "SetThreadExecutionState";
        }));
  std::size_t seen = trace.calls().size();
  pressChord(app->form(), {VK_MENU, 'R'});
  const auto cancelled = trace.waitFor("CancelWaitableTimer", seen);
  check("Reset cancels it",
        timer && cancelled && !cancelled->args.empty() && cancelled->args[0] == timer->args[0]);

  seen = trace.calls().size();
  const ULONGLONG tomorrow = nextOccurrence(armFromKeyboard(*app, L"awake")) + kTicksPerDay;
  const auto hold = trace.waitFor("SetThreadExecutionState", seen);
  check("an alarm a few seconds ahead keeps the system running, not the display, before it rings",
        hold && hold->args == std::vector<unsigned long long>{ES_CONTINUOUS | ES_SYSTEM_REQUIRED} &&
            findMessageBox(L"PESAN", 0, app->processId()) == nullptr);
  seen = trace.calls().size();
  const Box alarm = waitForBox(*app, L"PESAN", 15'000);
  // Read as the box is found: both calls come before it.
  const auto release = trace.waitFor("SetThreadExecutionState", seen, 0);
  const auto next = trace.waitFor("SetWaitableTimer", seen, 0);
  check("it rings, and the system is let sleep again before the box waits",
        alarm.window != nullptr && release &&
            release->args == std::vector<unsigned long long>{ES_CONTINUOUS});
  check("and the next day's timer is set",
        resumesAt(*app, next, tomorrow - 60 * kTicksPerSecond, detail), detail);
  answerMessageBox(alarm.window, IDOK);
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

}  // namespace

void alarmScenario(const std::wstring& exe) {
  wakesTheComputerForTheAlarm(exe);
  firesWithTheDefaultToneWhileHidden(exe);
  defaultPlaysTheDefaultSound(exe);
  ownToneWhenWindowsHasNoDefault(exe);
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  const std::vector<char> pcm = toneSamples(0.0713);
  // A name the ANSI code page may not hold: the chosen file must play all the same.
  const std::wstring tonePath = writeToneFile(pcm, L"tolvane-e2e-tone-\u65e5\u672c.wav");
  choosesATone(*app, tonePath);
  entersTimeAndMessage(*app);

  const std::size_t soundBefore = capturedSound().size();
  armFromKeyboard(*app, L"Time to go");

  const Box alarm = waitForBox(*app, L"PESAN", 15'000);
  check("alarm box PESAN appears", alarm.window != nullptr);
  check("alarm box shows the message", alarm.text == L"Time to go",
        utf8(alarm.text) + " / message field: " + utf8(app->text(Ctl::Text5)));
  check("the chosen tone played before the box", tonePlayed(pcm, soundBefore));
  ticksOnUnderTheBox(*app, alarm.window);
  answerMessageBox(alarm.window, IDOK);
  const std::wstring armed = app->text(Ctl::Label4);
  check("clock goes on after the alarm", app->nextClockText(3'000).has_value());
  check("alarm stays armed for tomorrow", app->text(Ctl::Label4) == armed && !armed.empty());

  playsAnAnsiNamedTone(*app);
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

}  // namespace e2e
