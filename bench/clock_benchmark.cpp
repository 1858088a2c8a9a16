// Clock benchmark: starts several builds of the program side by side, watches each window's clock
// label from outside and prints, per program, how late each displayed second appeared after its
// boundary, how many seconds were never shown, the peak working set and the start-up time.
//
// usage: clock_benchmark [--seconds N] [--markdown] program.exe program.exe...
// --markdown prints the figures as a Markdown table, to paste as they are.
//
// A benchmark, not a test: it prints figures and asserts nothing about them.
#include <windows.h>

// psapi.h needs the types windows.h declares.
#include <psapi.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/alarm_time.h"
#include "message_boxes.h"
#include "percentile.h"
#include "platform/controls.h"
#include "processes.h"
#include "text.h"
#include "window_finding.h"
#include "window_state.h"

namespace {

using e2e::utf8;

constexpr int kDefaultSeconds = 150;
// Shorter runs work, but drift of a free-running timer needs a couple of minutes to show.
constexpr int kReportableSeconds = 120;
constexpr DWORD kWindowTimeoutMs = 30'000;
constexpr DWORD kCloseTimeoutMs = 10'000;
constexpr DWORD kReadTimeoutMs = 1000;
constexpr long long kMsPerDay = 86'400'000;
constexpr long long kFileTimeTicksPerMs = 10'000;

// Local time now, in ms since local midnight, with the sub-ms part kept.
double localMsOfDay() {
  FILETIME utc{};
  GetSystemTimePreciseAsFileTime(&utc);
  FILETIME local{};
  FileTimeToLocalFileTime(&utc, &local);
  const ULONGLONG ticks =
      (static_cast<ULONGLONG>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
  const ULONGLONG dayTicks = static_cast<ULONGLONG>(kMsPerDay * kFileTimeTicksPerMs);
  return static_cast<double>(ticks % dayTicks) / kFileTimeTicksPerMs;
}

double counterMs() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency);
}

// `ms` folded into [-half a day, half a day), so a midnight between two times does not count.
double wrapDay(double ms) {
  const double day = static_cast<double>(kMsPerDay);
  while (ms >= day / 2) ms -= day;
  while (ms < -day / 2) ms += day;
  return ms;
}

struct Program {
  std::wstring exe;
  std::string name;
  std::optional<e2e::Process> process;
  std::string error;
  double startedMs = 0;  // counterMs() just before the process was created

  HWND form = nullptr;
  HWND label = nullptr;
  double visibleAfterMs = -1;
  HANDLE ready = nullptr;  // set once the label is found or the search gave up

  std::vector<double> lags;
  // Lag with each skipped second added back, against the time it was seen: its slope is the
  // timer's drift against the clock.
  std::vector<double> phases;
  std::vector<double> seenMinutes;
  long long skipped = 0;
  long long late = 0;
  long long backwards = 0;
  long long polls = 0;
  long long failedReads = 0;
  double pollingMs = 0;

  SIZE_T peakWorkingSet = 0;
  std::string closing;
};

std::atomic<bool> stopPolling{false};

void findWindow(Program& p) {
  const e2e::FindOptions options{
      .windowClass = platform::kFormClassName, .processId = p.process->id(), .visibleOnly = true};
  const double deadline = p.startedMs + kWindowTimeoutMs;
  // Polled every millisecond so the start-up time is measured to about that.
  while (counterMs() < deadline && p.process->running()) {
    p.form = e2e::findTopWindow(L"Tolvane", 0, options);
    if (p.form != nullptr) {
      p.visibleAfterMs = counterMs() - p.startedMs;
      break;
    }
    Sleep(1);
  }
  if (p.form == nullptr) {
    p.error = "no visible window";
    return;
  }
  p.label = e2e::waitForControl(p.form, platform::controlId(platform::Ctl::Label1), 5000);
  if (p.label == nullptr) p.error = "no clock label";
}

void poll(Program& p) {
  std::wstring previous = e2e::windowText(p.label, kReadTimeoutMs).value_or(L"");
  std::optional<int> previousSecond = app::secondOfDay(previous);
  const double began = counterMs();
  while (!stopPolling.load(std::memory_order_relaxed)) {
    Sleep(1);
    const auto text = e2e::windowText(p.label, kReadTimeoutMs);
    const double seenAt = localMsOfDay();
    ++p.polls;
    if (!text) {
      ++p.failedReads;
      continue;
    }
    if (*text == previous) continue;
    previous = *text;
    const auto second = app::secondOfDay(*text);
    if (!second) continue;
    const double lag = wrapDay(seenAt - *second * 1000.0);
    p.lags.push_back(lag);
    if (lag >= 2000.0) ++p.late;
    if (previousSecond) {
      const auto step =
          static_cast<long long>(wrapDay((*second - *previousSecond) * 1000.0)) / 1000;
      if (step > 1) p.skipped += step - 1;
      if (step < 1) ++p.backwards;
    }
    previousSecond = second;
    p.phases.push_back(lag + 1000.0 * static_cast<double>(p.skipped));
    p.seenMinutes.push_back((counterMs() - began) / 60'000.0);
  }
  p.pollingMs = counterMs() - began;
}

DWORD WINAPI watch(void* param) {
  auto& p = *static_cast<Program*>(param);
  findWindow(p);
  SetEvent(p.ready);
  if (p.label != nullptr) poll(p);
  return 0;
}

void readMemory(Program& p) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (p.process && GetProcessMemoryInfo(p.process->handle(), &counters, sizeof counters)) {
    p.peakWorkingSet = counters.PeakWorkingSetSize;
  }
}

void close(Program& p) {
  if (!p.process || !p.process->running()) {
    p.closing = "gone";
    return;
  }
  if (p.form != nullptr && PostMessageW(p.form, WM_SYSCOMMAND, SC_CLOSE, 0)) {
    const HWND box = e2e::findMessageBox(L"Exit?", kCloseTimeoutMs, p.process->id());
    if (box != nullptr && e2e::answerMessageBox(box, IDYES) &&
        p.process->waitExit(kCloseTimeoutMs)) {
      p.closing = "Yes";
      return;
    }
  }
  p.process->kill();
  p.closing = "killed";
}

// Least-squares slope of y against x; 0 with fewer than two points.
double slope(const std::vector<double>& x, const std::vector<double>& y) {
  const std::size_t n = x.size();
  if (n < 2) return 0;
  double mx = 0, my = 0;
  for (std::size_t i = 0; i < n; ++i) {
    mx += x[i];
    my += y[i];
  }
  mx /= static_cast<double>(n);
  my /= static_cast<double>(n);
  double sxy = 0, sxx = 0;
  for (std::size_t i = 0; i < n; ++i) {
    sxy += (x[i] - mx) * (y[i] - my);
    sxx += (x[i] - mx) * (x[i] - mx);
  }
  return sxx > 0 ? sxy / sxx : 0;
}

// The file name, with its folder where another program of the same name runs alongside (the
// i686 and x86_64 builds of one program).
std::string displayName(const std::wstring& path, int argc, wchar_t** argv) {
  const auto nameAt = [](const std::wstring& p, std::size_t parts) {
    std::size_t start = p.size();
    for (std::size_t i = 0; i < parts && start != std::wstring::npos && start > 0; ++i) {
      start = p.find_last_of(L"\\/", start - 1);
    }
    return start == std::wstring::npos ? p : p.substr(start + 1);
  };
  const std::wstring name = nameAt(path, 1);
  for (int i = 1; i < argc; ++i) {
    if (argv[i] != path && nameAt(argv[i], 1) == name) return utf8(nameAt(path, 2));
  }
  return utf8(name);
}

// The table's columns, each with its width in the aligned layout (negative: left-aligned).
struct Column {
  const char* heading;
  int width;
};
constexpr std::array<Column, 10> kColumns{{{"program", -24},
                                           {"ticks", 6},
                                           {"p50 ms", 8},
                                           {"p99 ms", 8},
                                           {"max ms", 8},
                                           {"skipped", 8},
                                           {"late", 5},
                                           {"peak WS", 9},
                                           {"visible ms", 11},
                                           {"closed", 7}}};
using Cells = std::array<std::string, kColumns.size()>;

std::string formatted(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// One row: aligned in columns, or as a row of a Markdown table.
void printRow(const Cells& cells, bool markdown) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (markdown) {
      std::printf("| %s ", cells[i].c_str());
    } else {
      std::printf(i == 0 ? "%*s" : " %*s", kColumns[i].width, cells[i].c_str());
    }
  }
  std::puts(markdown ? "|" : "");
}

void printTable(const std::vector<std::unique_ptr<Program>>& programs, int seconds, bool markdown) {
  std::printf(
      "clock label watched for %d s, programs side by side, label read in a loop with a 1 ms "
      "sleep\n",
      seconds);
  if (seconds < kReportableSeconds) {
    std::printf("(short run: figures for reporting need at least %d s)\n", kReportableSeconds);
  }
  if (markdown) std::puts("");
  Cells headings;
  for (std::size_t i = 0; i < kColumns.size(); ++i) headings[i] = kColumns[i].heading;
  printRow(headings, markdown);
  if (markdown) {
    // The program's name on the left, figures on the right.
    std::string rule = "|---";
    for (std::size_t i = 1; i < kColumns.size(); ++i) rule += "|--:";
    std::puts((rule + "|").c_str());
  }
  for (const auto& p : programs) {
    if (!p->error.empty()) continue;
    const auto& lags = p->lags;
    const double max = lags.empty() ? 0 : *std::max_element(lags.begin(), lags.end());
    printRow(
        {p->name, std::to_string(lags.size()), formatted("%.1f", bench::percentile(lags, 0.50)),
         formatted("%.1f", bench::percentile(lags, 0.99)), formatted("%.1f", max),
         std::to_string(p->skipped), std::to_string(p->late),
         formatted("%.1f MiB", static_cast<double>(p->peakWorkingSet) / (1024.0 * 1024.0)),
         formatted("%.0f", p->visibleAfterMs), p->closing},
        markdown);
  }
  if (markdown) std::puts("");
  const char* item = markdown ? "- " : "";
  for (const auto& p : programs) {
    if (!p->error.empty()) {
      std::printf("%s%s: not measured: %s\n", item, p->name.c_str(), p->error.c_str());
      continue;
    }
    const double period = p->polls > 0 ? p->pollingMs / static_cast<double>(p->polls) : 0;
    std::printf(
        "%s%s: lag drifts %+.1f ms/min; %lld reads, one every %.2f ms; %lld unanswered; "
        "%lld backward steps\n",
        item, p->name.c_str(), slope(p->seenMinutes, p->phases), p->polls, period, p->failedReads,
        p->backwards);
  }
  std::fflush(stdout);
}

int usage() {
  std::fprintf(stderr,
               "usage: clock_benchmark [--seconds N] [--markdown] program.exe program.exe...\n");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int seconds = kDefaultSeconds;
  bool markdown = false;
  std::vector<std::unique_ptr<Program>> programs;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--seconds") {
      if (++i >= argc) return usage();
      wchar_t* end = nullptr;
      const long value = std::wcstol(argv[i], &end, 10);
      if (end == argv[i] || *end != L'\0' || value < 1 || value > 86'400) return usage();
      seconds = static_cast<int>(value);
      continue;
    }
    if (arg == L"--markdown") {
      markdown = true;
      continue;
    }
    auto p = std::make_unique<Program>();
    p->exe = arg;
    p->name = displayName(arg, argc, argv);
    programs.push_back(std::move(p));
  }
  if (programs.empty()) return usage();

  // All processes are created before any is watched, so they start under the same load.
  for (auto& p : programs) {
    p->ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    p->startedMs = counterMs();
    p->process = e2e::Process::start(p->exe, L"", L"", &p->error);
  }
  std::vector<HANDLE> threads;
  std::vector<HANDLE> readyEvents;
  for (auto& p : programs) {
    if (!p->process) continue;
    HANDLE thread = CreateThread(nullptr, 0, watch, p.get(), 0, nullptr);
    if (thread == nullptr) {
      p->error = "cannot create its watching thread";
      continue;
    }
    threads.push_back(thread);
    readyEvents.push_back(p->ready);
  }
  if (!readyEvents.empty()) {
    WaitForMultipleObjects(static_cast<DWORD>(readyEvents.size()), readyEvents.data(), TRUE,
                           INFINITE);
  }
  std::fprintf(stderr, "watching %zu program(s) for %d s\n", threads.size(), seconds);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  stopPolling = true;
  if (!threads.empty()) {
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
  }
  for (HANDLE thread : threads) CloseHandle(thread);

  for (auto& p : programs) readMemory(*p);
  for (auto& p : programs) close(*p);
  for (auto& p : programs) CloseHandle(p->ready);
  printTable(programs, seconds, markdown);

  const bool allMeasured =
      std::all_of(programs.begin(), programs.end(), [](const auto& p) { return p->error.empty(); });
  return allMeasured ? 0 : 1;
}
