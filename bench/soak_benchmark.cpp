// Soak benchmark: repeats each user action on the running program many times, from outside,
// checks after each one that the window did what a user would see, and prints per action what
// the program held before and after: GDI objects, windows, kernel handles, private memory and
// CPU time. A reference window with a 1,000 ms clock runs beside it throughout, so growth that
// is Wine's own shows there too.
//
// usage: soak_benchmark [--actions N] [--alarms N] [--markdown] --program UNIX_PID GDI_TRACE
//                       --reference UNIX_PID GDI_TRACE
//        soak_benchmark --park-pointer   (only moves the pointer away from the windows)
// Both programs must already run, each started with WINEDEBUG=+gdi and its stderr in GDI_TRACE
// (a Windows path); UNIX_PID is the Unix process id of each. --markdown sends the detailed tables
// to stderr and prints one Markdown table to paste, a row per action, on stdout.
//
// A benchmark, not a test: it prints figures and asserts nothing about them. It fails only when
// an action did not do what it should, or the program could not be measured.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "input.h"
#include "message_boxes.h"
#include "soak_usage.h"
#include "sound_support.h"
#include "text.h"
#include "tolvane_app.h"
#include "tray_support.h"
#include "waiting.h"
#include "window_finding.h"
#include "window_state.h"

namespace {

using e2e::Ctl;
using e2e::TolvaneApp;
using soak::Usage;

constexpr int kDefaultActions = 1000;
constexpr int kDefaultAlarms = 100;
constexpr DWORD kStepTimeoutMs = 5'000;
constexpr DWORD kMenuPauseMs = 100;

// One repetition of an action: empty when the window did what it should, else what went wrong.
using Step = std::function<std::string(int)>;

struct Action {
  std::string name;
  int count;
  Step step;
};

// ---- the actions ------------------------------------------------------------------------------

bool shows(const TolvaneApp& app, Ctl page, Ctl other) {
  return e2e::waitUntil(
      [&] { return e2e::isVisible(app.control(page)) && !e2e::isVisible(app.control(other)); },
      kStepTimeoutMs);
}

// Which tab the strip shows as chosen, for failure details.
std::string selectedTab(const TolvaneApp& app) {
  const LRESULT index = SendMessageW(app.control(Ctl::TabStrip1), TCM_GETCURSEL, 0, 0);
  return " (the strip shows tab " + std::to_string(index + 1) + " chosen)";
}

std::string switchTabs(const TolvaneApp& app) {
  if (!app.clickTab(1)) return "the tone tab could not be clicked";
  if (!shows(app, Ctl::Fr3, Ctl::Fr2)) return "the tone page did not show" + selectedTab(app);
  if (!app.clickTab(0)) return "the alarm tab could not be clicked";
  if (!shows(app, Ctl::Fr2, Ctl::Fr3)) return "the alarm page did not show" + selectedTab(app);
  return {};
}

std::string minimiseAndShow(const TolvaneApp& app, const e2e::ProgramIcon& icons) {
  PostMessageW(app.form(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (!e2e::waitUntil([&] { return !e2e::isVisible(app.form()); }, kStepTimeoutMs)) {
    return "minimising did not hide the window";
  }
  // A popup menu opened right after a change of focus may close by itself under Wine.
  Sleep(kMenuPauseMs);
  const std::string how = e2e::rightClickIcon(app, icons);
  const HWND menu = e2e::waitForPopupMenu(app, kStepTimeoutMs);
  if (menu == nullptr) return "right-click " + how + " opened no menu; " + e2e::describeTray();
  for (int i = 0; i < e2e::kShowItem; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 1);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 1);
  if (!e2e::waitUntil([&] { return e2e::isVisible(app.form()) && !IsIconic(app.form()); },
                      kStepTimeoutMs)) {
    return "Show did not bring the window back";
  }
  return {};
}

std::wstring twoDigits(int n) {
  wchar_t text[4];
  std::swprintf(text, 4, L"%02d", n);
  return text;
}

// Types a time ("hh:mm:ss") and a message into the alarm fields and presses Ok. The keys are
// posted to each field as characters; the program's own focus moves need no real keyboard then.
std::string arm(const TolvaneApp& app, const std::wstring& at, const std::wstring& message) {
  e2e::postChars(app.control(Ctl::Text1), at.substr(0, 2));
  e2e::postChars(app.control(Ctl::Text2), at.substr(3, 2));
  e2e::postChars(app.control(Ctl::Text3), at.substr(6, 2));
  e2e::postChars(app.control(Ctl::Text5), message);
  if (app.waitForText(Ctl::Text5, message, kStepTimeoutMs) != message) {
    return "the message field reads \"" + e2e::utf8(app.text(Ctl::Text5)) + "\"";
  }
  e2e::click(app.control(Ctl::Command1));
  const std::wstring armed = app.waitForText(Ctl::Label4, at, kStepTimeoutMs);
  if (armed != at) return "Ok armed \"" + e2e::utf8(armed) + "\", not " + e2e::utf8(at);
  return {};
}

std::string reset(const TolvaneApp& app) {
  e2e::click(app.control(Ctl::Command2));
  if (!app.waitForText(Ctl::Label4, L"", kStepTimeoutMs).empty()) return "Reset left it armed";
  for (Ctl field : {Ctl::Text1, Ctl::Text2, Ctl::Text3, Ctl::Text5}) {
    if (!app.text(field).empty()) return "Reset left a field filled";
  }
  return {};
}

std::string enterAndReset(const TolvaneApp& app, int i) {
  // Half a day away, so the alarm never fires during the run.
  const std::wstring now = e2e::clockText();
  const int hour = (std::stoi(now.substr(0, 2)) + 12) % 24;
  const std::wstring at =
      twoDigits(hour) + L":" + twoDigits(i % 60) + L":" + twoDigits(i / 60 % 60);
  if (auto failed = arm(app, at, L"soak " + std::to_wstring(i)); !failed.empty()) return failed;
  return reset(app);
}

std::string answerBox(const TolvaneApp& app, const std::wstring& title, const std::wstring& text) {
  const e2e::Box box = e2e::waitForBox(app, title, kStepTimeoutMs);
  if (box.window == nullptr) return "no \"" + e2e::utf8(title) + "\" box";
  if (box.text != text) return "the box reads \"" + e2e::utf8(box.text) + "\"";
  e2e::answerMessageBox(box.window, IDOK);
  if (!e2e::waitUntil([&] { return !IsWindow(box.window); }, kStepTimeoutMs)) {
    return "the box stayed after OK";
  }
  return {};
}

// The menu delivers a pick to the window as this command.
void pickMenuItem(const TolvaneApp& app, Ctl item) {
  PostMessageW(app.form(), WM_COMMAND, static_cast<WPARAM>(platform::controlId(item)), 0);
}

std::string keyFilterError(const TolvaneApp& app) {
  e2e::postChars(app.control(Ctl::Text1), L"a");
  if (auto failed = answerBox(app, L"ERROR", L"Inputan harus berupa angka"); !failed.empty()) {
    return failed;
  }
  if (!app.waitForText(Ctl::Text1, L"", kStepTimeoutMs).empty()) return "the letter stayed";
  return {};
}

// Chooses the tone file on the tone page through the open dialog, once.
bool chooseTone(const TolvaneApp& app, const std::wstring& path) {
  if (!app.clickTab(1) || !shows(app, Ctl::Fr3, Ctl::Fr2)) return false;
  e2e::click(app.control(Ctl::Option2));
  if (!e2e::waitUntil([&] { return e2e::isEnabled(app.control(Ctl::Command3)); }, kStepTimeoutMs)) {
    return false;
  }
  e2e::click(app.control(Ctl::Command3));
  const HWND dialog = e2e::findTopWindow(
      L"Open", 10'000,
      {.windowClass = L"#32770", .processId = app.processId(), .visibleOnly = true});
  if (dialog == nullptr) return false;
  HWND name = e2e::findControl(dialog, 0x47C);  // the file name box, an edit inside a combo box
  if (HWND inner = FindWindowExW(name, nullptr, L"Edit", nullptr)) name = inner;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  return app.waitForText(Ctl::Text4, path, 10'000) == path && app.clickTab(0) &&
         shows(app, Ctl::Fr2, Ctl::Fr3);
}

// Armed for the coming second; the tone plays, then the PESAN box shows the message.
std::string alarmFires(const TolvaneApp& app, int i) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  // Less than 300 ms left in this second is too little to type and press Ok.
  const std::wstring at = e2e::clockText(now.wMilliseconds > 700 ? 2 : 1);
  const std::wstring message = L"alarm " + std::to_wstring(i);
  const unsigned long long soundBefore = e2e::capturedSoundBytes();
  if (auto failed = arm(app, at, message); !failed.empty()) return failed;
  const e2e::Box box = e2e::waitForBox(app, L"PESAN", 10'000);
  if (box.window == nullptr) return "no PESAN box";
  if (box.text != message) return "PESAN reads \"" + e2e::utf8(box.text) + "\"";
  if (!e2e::waitUntil([&] { return e2e::capturedSoundBytes() > soundBefore; }, e2e::kSinkDelayMs)) {
    return "no sound was played";
  }
  e2e::answerMessageBox(box.window, IDOK);
  if (!e2e::waitUntil([&] { return !IsWindow(box.window); }, kStepTimeoutMs)) {
    return "PESAN stayed after OK";
  }
  return reset(app);
}

// ---- measuring --------------------------------------------------------------------------------

// The clock shows the current time, to within a second.
bool clockRuns(const TolvaneApp& app) {
  const auto shown = app.nextClockText(2'500);
  return shown && (*shown == e2e::clockText() || *shown == e2e::clockText(-1));
}

std::string figure(const std::optional<long long>& value) {
  return value ? std::to_string(*value) : "n/a";
}

std::string figure(const std::optional<double>& value) {
  if (!value) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", *value);
  return text;
}

template <typename T>
std::string growthPer1000(const std::optional<T>& before, const std::optional<T>& after, int n) {
  if (!before || !after || n <= 0) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f",
                static_cast<double>(*after - *before) * 1000.0 / static_cast<double>(n));
  return text;
}

struct Outcome {
  int done = 0;
  int failed = 0;
  double seconds = 0;
  bool clockStopped = false;
};

// Where the figures go: the detailed tables, and in Markdown mode the summary to paste.
struct Report {
  std::FILE* detail = stdout;
  bool markdown = false;
  std::vector<std::string> summary;  // Markdown rows
};

void printRow(std::FILE* out, const std::string& label, const Usage& u) {
  std::fprintf(out, "  %-30s %8s %8s %8s %12s %8s\n", label.c_str(), figure(u.gdiObjects).c_str(),
               figure(u.windows).c_str(), figure(u.kernelHandles).c_str(),
               figure(u.privateKiB).c_str(), figure(u.cpuSeconds).c_str());
}

void printGrowth(std::FILE* out, const std::string& label, const Usage& a, const Usage& b, int n) {
  std::fprintf(out, "  %-30s %8s %8s %8s %12s %8s\n", label.c_str(),
               growthPer1000(a.gdiObjects, b.gdiObjects, n).c_str(),
               growthPer1000(a.windows, b.windows, n).c_str(),
               growthPer1000(a.kernelHandles, b.kernelHandles, n).c_str(),
               growthPer1000(a.privateKiB, b.privateKiB, n).c_str(),
               growthPer1000(a.cpuSeconds, b.cpuSeconds, n).c_str());
}

std::string change(const std::optional<long long>& before, const std::optional<long long>& after) {
  return figure(before) + " → " + figure(after);
}

// The done, failed and time cells of a summary row; the reference window does no actions.
std::string outcomeCells(const Outcome& outcome, bool actions) {
  char time[32];
  std::snprintf(time, sizeof time, "%.0f s", outcome.seconds);
  if (!actions) return " |  | " + std::string(time);
  return std::to_string(outcome.done) + " | " + std::to_string(outcome.failed) + " | " + time;
}

// A row of the summary: the counts before → after and, when `n` is given, their growth per
// 1,000 between `from` and `after`.
std::string summaryRow(const std::string& label, const std::string& outcome, const Usage& before,
                       const Usage& from, const Usage& after, int n) {
  const std::string growth = n <= 0
                                 ? ""
                                 : growthPer1000(from.gdiObjects, after.gdiObjects, n) + " / " +
                                       growthPer1000(from.windows, after.windows, n) + " / " +
                                       growthPer1000(from.kernelHandles, after.kernelHandles, n) +
                                       " / " + growthPer1000(from.privateKiB, after.privateKiB, n);
  return "| " + label + " | " + outcome + " | " + change(before.gdiObjects, after.gdiObjects) +
         " | " + change(before.windows, after.windows) + " | " +
         change(before.kernelHandles, after.kernelHandles) + " | " +
         change(before.privateKiB, after.privateKiB) + " | " + growth + " |";
}

void printSummary(const Report& report) {
  std::puts("");
  std::puts(
      "| action | done | failed | time | GDI | windows | handles | private KiB "
      "| per 1,000 in the 2nd half: GDI / windows / handles / KiB |");
  std::puts("|---|--:|--:|--:|---|---|---|---|---|");
  for (const std::string& row : report.summary) std::puts(row.c_str());
  std::puts("");
}

// Runs one action `count` times and prints its table: the program before, half way and after,
// its growth per 1,000 over the whole run and over the second half (one-time caches fill in
// the first), and the reference's change over the same time.
Outcome runAction(const TolvaneApp& app, const Action& action, const soak::Measured& program,
                  const soak::Measured& reference, Report& report) {
  Outcome outcome;
  std::string firstFailure;
  const Usage before = soak::measure(program);
  const Usage referenceBefore = soak::measure(reference);
  outcome.clockStopped |= !clockRuns(app);
  const ULONGLONG started = GetTickCount64();
  const int half = action.count / 2;
  Usage halfway = before;
  int& done = outcome.done;
  for (int i = 0; i < action.count && app.process().running(); ++i, ++done) {
    if (i == half) {
      halfway = soak::measure(program);
      outcome.clockStopped |= !clockRuns(app);
    }
    if (auto failed = action.step(i); !failed.empty()) {
      if (outcome.failed++ == 0) firstFailure = "#" + std::to_string(i + 1) + ": " + failed;
    }
  }
  const double seconds = static_cast<double>(GetTickCount64() - started) / 1000.0;
  outcome.seconds = seconds;
  outcome.clockStopped |= !clockRuns(app);
  const Usage after = soak::measure(program);
  const Usage referenceAfter = soak::measure(reference);

  std::FILE* out = report.detail;
  std::fprintf(out, "\n%s: %d of %d done in %.0f s, %d failed%s%s\n", action.name.c_str(), done,
               action.count, seconds, outcome.failed, firstFailure.empty() ? "" : ", first ",
               firstFailure.c_str());
  std::fprintf(out, "  %-30s %8s %8s %8s %12s %8s\n", "", "GDI", "windows", "handles",
               "private KiB", "CPU s");
  printRow(out, "program before", before);
  printRow(out, "program half way", halfway);
  printRow(out, "program after", after);
  printGrowth(out, "program per 1,000", before, after, action.count);
  printGrowth(out, "program per 1,000, 2nd half", halfway, after, action.count - half);
  printGrowth(out, "reference, change meanwhile", referenceBefore, referenceAfter, 1000);
  std::fflush(out);
  report.summary.push_back(summaryRow(action.name, outcomeCells(outcome, true), before, halfway,
                                      after, action.count - half));
  return outcome;
}

// Moves the pointer to the screen's lower left corner, over neither window: the idle measurement
// that follows must not count Wine polling the control under a resting pointer.
void parkPointer() {
  INPUT away{};
  away.type = INPUT_MOUSE;
  away.mi.dx = 100;
  away.mi.dy = 65'000;
  away.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &away, sizeof away);
}

int usage() {
  std::fputs(
      "usage: soak_benchmark [--actions N] [--alarms N] [--markdown] --program UNIX_PID GDI_TRACE "
      "--reference UNIX_PID GDI_TRACE\n"
      "       soak_benchmark --park-pointer\n",
      stderr);
  return 2;
}

std::optional<int> count(const wchar_t* text) {
  wchar_t* end = nullptr;
  const long value = std::wcstol(text, &end, 10);
  if (end == text || *end != L'\0' || value < 1 || value > 1'000'000) return std::nullopt;
  return static_cast<int>(value);
}

// The Windows process id of the only top-level window of class `windowClass`.
DWORD processOfWindow(const wchar_t* windowClass) {
  HWND window = nullptr;
  e2e::waitUntil([&] { return (window = FindWindowW(windowClass, nullptr)) != nullptr; }, 30'000);
  return window == nullptr ? 0 : e2e::windowProcessId(window);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int actions = kDefaultActions;
  int alarms = kDefaultAlarms;
  soak::Measured program;
  soak::Measured reference;
  Report report;
  if (argc == 2 && std::wstring(argv[1]) == L"--park-pointer") {
    parkPointer();
    return 0;
  }
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if ((arg == L"--actions" || arg == L"--alarms") && i + 1 < argc) {
      const auto n = count(argv[++i]);
      if (!n) return usage();
      (arg == L"--actions" ? actions : alarms) = *n;
    } else if (arg == L"--markdown") {
      report.markdown = true;
      report.detail = stderr;
    } else if ((arg == L"--program" || arg == L"--reference") && i + 2 < argc) {
      auto& measured = arg == L"--program" ? program : reference;
      const auto pid = count(argv[++i]);
      if (!pid) return usage();
      measured.unixPid = *pid;
      measured.gdiTrace = argv[++i];
    } else {
      return usage();
    }
  }
  if (program.unixPid == 0 || reference.unixPid == 0) return usage();

  program.processId = processOfWindow(platform::kFormClassName);
  reference.processId = processOfWindow(L"MinimalClock");
  auto app = TolvaneApp::attach(program.processId);
  if (!app || reference.processId == 0) {
    std::puts("the program or the reference window was not found");
    return 1;
  }
  const Usage first = soak::measure(program);
  if (!first.gdiObjects || !first.kernelHandles || !first.privateKiB || !first.cpuSeconds) {
    std::puts("the program cannot be measured (no GDI trace, handle table or /proc entry)");
    return 1;
  }

  const auto icons = e2e::ProgramIcon::includingEarlier();
  const std::wstring tonePath = e2e::writeToneFile(e2e::toneSamples(), L"tolvane-soak-tone.wav");
  const std::vector<Action> plan = {
      {"tab switches (mouse, tone tab and back)", actions, [&](int) { return switchTabs(*app); }},
      {"minimise, then Show from the icon's menu", actions,
       [&](int) { return minimiseAndShow(*app, icons); }},
      {"time and message typed, Ok, Reset", actions, [&](int i) { return enterAndReset(*app, i); }},
      {"About box opened and answered", actions,
       [&](int) {
         pickMenuItem(*app, Ctl::mnuabout);
         return answerBox(*app, L"About", L"Pralvik by Ferrowin\r\nhttps://ferrowin.example");
       }},
      {"tone hint opened and answered", actions,
       [&](int) {
         pickMenuItem(*app, Ctl::wavha);
         return answerBox(*app, L"wav?", L"Tone format *.wav can be found on google");
       }},
      {"key-filter ERROR box raised and answered", actions,
       [&](int) { return keyFilterError(*app); }},
      {"alarm fired with the chosen tone, PESAN answered", alarms,
       [&](int i) { return alarmFires(*app, i); }},
  };

  std::printf(
      "soak: %d of each action, %d alarms; GDI from WINEDEBUG=+gdi, windows by "
      "EnumWindows/EnumChildWindows, handles by SystemExtendedHandleInformation, "
      "private memory from /proc/PID/smaps_rollup, CPU from /proc/PID/stat\n",
      actions, alarms);
  Outcome run;
  const Usage start = soak::measure(program);
  const Usage referenceStart = soak::measure(reference);
  for (const Action& action : plan) {
    if (action.name.starts_with("alarm") && !chooseTone(*app, tonePath)) {
      std::puts("\nthe tone could not be chosen; alarms not run");
      ++run.failed;
      continue;
    }
    const Outcome outcome = runAction(*app, action, program, reference, report);
    run.done += outcome.done;
    run.failed += outcome.failed;
    run.seconds += outcome.seconds;
    run.clockStopped |= outcome.clockStopped;
  }

  const Usage end = soak::measure(program);
  const Usage referenceEnd = soak::measure(reference);
  std::fprintf(report.detail, "\nwhole run\n  %-30s %8s %8s %8s %12s %8s\n", "", "GDI", "windows",
               "handles", "private KiB", "CPU s");
  printRow(report.detail, "program at start", start);
  printRow(report.detail, "program at end", end);
  printRow(report.detail, "reference at start", referenceStart);
  printRow(report.detail, "reference at end", referenceEnd);
  if (report.markdown) {
    report.summary.push_back(
        summaryRow("whole run: the program", outcomeCells(run, true), start, start, end, 0));
    report.summary.push_back(summaryRow("whole run: the reference window", outcomeCells(run, false),
                                        referenceStart, referenceStart, referenceEnd, 0));
    printSummary(report);
  }
  std::printf("clock %s throughout\n", run.clockStopped ? "did NOT keep time" : "kept time");

  const auto code = app->closeAndConfirm();
  parkPointer();
  std::printf("program closed: %s\n",
              code ? ("exit code " + std::to_string(*code)).c_str() : "did not end");
  const bool ok = run.failed == 0 && !run.clockStopped && code && *code == 0;
  std::printf("%d failed actions; %s\n", run.failed,
              ok ? "all actions did what they should" : "FAILED");
  return ok ? 0 : 1;
}
