// Alarm benchmark: arms alarms in the program and in a minimal reference program, in turn, as a
// user does (the time typed, then Ok), and prints per program how long after the alarm's second
// the tone reached the sound system, and how long after the tone the box was on the screen.
//
// usage: alarm_benchmark [--alarms N] [--cold N] [--markdown] STAMPS MAPS program.exe minimal.exe
// STAMPS is the sound sink's log (bench/linux/sound_stamps.cpp), MAPS the X server's window maps
// (bench/linux/window_maps.cpp), both as Windows paths. Both stamp with CLOCK_REALTIME, which is
// the Windows system time under Wine, so they compare with the alarm's boundary directly.
// While an alarm is due the driver only sleeps: polling for the box would slow the box.
//
// A benchmark, not a test: it prints figures and asserts nothing about them.
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/alarm_time.h"
#include "input.h"
#include "message_boxes.h"
#include "percentile.h"
#include "processes.h"
#include "sound_support.h"
#include "text.h"
#include "tolvane_app.h"
#include "waiting.h"
#include "window_finding.h"
#include "window_state.h"

namespace {

using e2e::Ctl;
using e2e::TolvaneApp;

constexpr int kDefaultAlarms = 30;
constexpr int kDefaultColdStarts = 5;
constexpr DWORD kStepTimeoutMs = 5'000;
// Long enough after the boundary for a cold first sound and its box, so the driver never looks
// for the box before it is up.
constexpr DWORD kSettleMs = 1'500;
constexpr long long kNsPerMs = 1'000'000;
constexpr long long kNsPerSecond = 1'000'000'000;
constexpr long long kUnixEpochInFileTime = 116'444'736'000'000'000;
// A user reads the new window before typing; by then the program's clock has ticked once (its
// first tick comes on the first boundary a whole second after start, and an alarm due before it
// would not fire).
constexpr DWORD kReadingMs = 2'500;
constexpr wchar_t kReferenceTitle[] = L"Minimal alarm";

long long realtimeNs() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = (static_cast<long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return (ticks - kUnixEpochInFileTime) * 100;
}

// "hh:mm:ss" of the local time at `ns` since 1970.
std::wstring localClockText(long long ns) {
  const long long ticks = ns / 100 + kUnixEpochInFileTime;
  const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  FILETIME local{};
  SYSTEMTIME t{};
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &t);
  return app::formatClock({.hour = t.wHour, .minute = t.wMinute, .second = t.wSecond});
}

// The lines of a log file from byte `from` on.
std::vector<std::string> linesFrom(const std::wstring& path, unsigned long long from) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  in.seekg(static_cast<std::streamoff>(from));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

unsigned long long fileSize(const std::wstring& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
  return error ? 0 : size;
}

struct WindowMap {
  long long ns = 0;
  unsigned long pid = 0;
  std::string title;
};

std::vector<WindowMap> windowMaps(const std::wstring& path, unsigned long long from) {
  std::vector<WindowMap> maps;
  for (const std::string& line : linesFrom(path, from)) {
    WindowMap map;
    std::istringstream fields(line);
    if (!(fields >> map.ns >> map.pid)) continue;
    std::getline(fields >> std::ws, map.title);
    maps.push_back(map);
  }
  return maps;
}

// When the first and the last non-silent bytes captured from `from` on were read.
struct SoundSpan {
  std::optional<long long> firstNs, lastNs;
};

SoundSpan soundSpan(const std::wstring& path, unsigned long long from) {
  SoundSpan span;
  for (const std::string& line : linesFrom(path, 0)) {
    long long ns = 0, offset = 0, bytes = 0, first = -1, last = -1;
    if (std::sscanf(line.c_str(), "%lld %lld %lld %lld %lld", &ns, &offset, &bytes, &first,
                    &last) != 5 ||
        offset < static_cast<long long>(from) || first < 0) {
      continue;
    }
    if (!span.firstNs) span.firstNs = ns;
    span.lastNs = ns;
  }
  return span;
}

struct Logs {
  std::wstring stamps, maps;
};

// One running copy of a program under measurement, the product or the reference.
struct Running {
  std::optional<TolvaneApp> app;
  std::optional<e2e::Process> reference;
  HWND window = nullptr;
  unsigned long unixPid = 0;  // from its window's _NET_WM_PID: the boxes are matched by it

  DWORD id() const { return app ? app->processId() : reference->id(); }
};

struct Sample {
  std::optional<double> toSoundMs, toBoxMs;
  bool boxLate = false;  // mapped after the driver began to look for it
  std::string failure;
};

std::optional<Running> start(bool product, const std::wstring& exe, const Logs& logs) {
  const unsigned long long mapsBefore = fileSize(logs.maps);
  Running r;
  if (product) {
    r.app = TolvaneApp::start(exe);
    if (!r.app) return std::nullopt;
    r.window = r.app->form();
  } else {
    r.reference = e2e::Process::start(exe);
    if (!r.reference) return std::nullopt;
    r.window = e2e::findTopWindow(
        kReferenceTitle, 15'000,
        {.windowClass = L"MinimalAlarm", .processId = r.reference->id(), .visibleOnly = true});
    if (r.window == nullptr) {
      r.reference->kill();
      return std::nullopt;
    }
  }
  const std::string title = product ? "Tolvane" : e2e::utf8(kReferenceTitle);
  e2e::waitUntil(
      [&] {
        for (const WindowMap& map : windowMaps(logs.maps, mapsBefore)) {
          if (map.title == title && map.pid != 0) r.unixPid = map.pid;
        }
        return r.unixPid != 0;
      },
      kStepTimeoutMs);
  Sleep(kReadingMs);
  return r;
}

void close(Running& r) {
  if (r.app) {
    r.app->closeAndConfirm();
    return;
  }
  PostMessageW(r.window, WM_CLOSE, 0, 0);
  if (!r.reference->waitExit(kStepTimeoutMs)) r.reference->kill();
}

// Types the time and presses Ok; empty, or what went wrong. The window is brought to the front
// first, as a user's click into it does, so both programs' boxes start from the same state.
std::string arm(const Running& r, const std::wstring& at) {
  if (r.app) {
    e2e::focusWindow(r.app->control(Ctl::Text1));
    e2e::postChars(r.app->control(Ctl::Text1), at.substr(0, 2));
    e2e::postChars(r.app->control(Ctl::Text2), at.substr(3, 2));
    e2e::postChars(r.app->control(Ctl::Text3), at.substr(6, 2));
    if (r.app->waitForText(Ctl::Text3, at.substr(6, 2), kStepTimeoutMs) != at.substr(6, 2)) {
      return "the seconds field reads \"" + e2e::utf8(r.app->text(Ctl::Text3)) + "\"";
    }
    e2e::click(r.app->control(Ctl::Command1));
    const std::wstring armed = r.app->waitForText(Ctl::Label4, at, kStepTimeoutMs);
    return armed == at ? "" : "Ok armed \"" + e2e::utf8(armed) + "\"";
  }
  const HWND time = GetDlgItem(r.window, 1);
  e2e::focusWindow(time);
  SendMessageTimeoutW(time, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG,
                      kStepTimeoutMs, nullptr);
  e2e::postChars(time, at);
  if (!e2e::waitUntil([&] { return e2e::windowText(time) == at; }, kStepTimeoutMs)) {
    return "the time field reads \"" + e2e::utf8(e2e::windowText(time).value_or(L"")) + "\"";
  }
  e2e::click(GetDlgItem(r.window, IDOK));
  const HWND armed = GetDlgItem(r.window, 2);
  return e2e::waitUntil([&] { return e2e::windowText(armed) == at; }, kStepTimeoutMs)
             ? ""
             : "Ok was not taken";
}

// One alarm, a second or two ahead as a user sets it: armed, left alone until its box is
// surely up, the box answered, and the times read from the logs.
Sample alarm(const Running& r, const Logs& logs) {
  Sample sample;
  const long long now = realtimeNs();
  // Less than 300 ms left in this second is too little to type and press Ok.
  const long long ahead = now % kNsPerSecond > 700 * kNsPerMs ? 2 : 1;
  const long long boundary = (now / kNsPerSecond + ahead) * kNsPerSecond;
  const std::wstring at = localClockText(boundary);
  const unsigned long long soundBefore = e2e::capturedSoundBytes();
  const unsigned long long mapsBefore = fileSize(logs.maps);
  // A failed arming still goes on to the box and the reset, so the next alarm starts clean.
  sample.failure = arm(r, at);
  const long long armedAt = realtimeNs();
  if (sample.failure.empty() && armedAt >= boundary) sample.failure = "armed after its second";
  if (sample.failure.empty()) {
    Sleep(static_cast<DWORD>((boundary - armedAt) / kNsPerMs) + kSettleMs);
  }
  const long long lookedAt = realtimeNs();
  const HWND box = e2e::findMessageBox(L"PESAN", 10'000, r.id());
  if (box == nullptr) {
    if (sample.failure.empty()) sample.failure = "no PESAN box";
  } else {
    e2e::answerMessageBox(box, IDOK);
    e2e::waitUntil([&] { return !IsWindow(box); }, kStepTimeoutMs);
  }
  if (r.app) {
    e2e::click(r.app->control(Ctl::Command2));
    r.app->waitForText(Ctl::Label4, L"", kStepTimeoutMs);
  }
  if (!sample.failure.empty()) {
    std::fprintf(stderr, "%s armed for %s: %s\n", r.app ? "program" : "reference",
                 e2e::utf8(at).c_str(), sample.failure.c_str());
    return sample;
  }

  const SoundSpan sound = soundSpan(logs.stamps, soundBefore);
  if (!sound.firstNs) {
    sample.failure = "no sound reached the sink";
    return sample;
  }
  sample.toSoundMs = static_cast<double>(*sound.firstNs - boundary) / kNsPerMs;
  for (const WindowMap& map : windowMaps(logs.maps, mapsBefore)) {
    if (map.title != "PESAN" || map.pid != r.unixPid || map.ns < *sound.lastNs) continue;
    sample.toBoxMs = static_cast<double>(map.ns - *sound.lastNs) / kNsPerMs;
    sample.boxLate = map.ns > lookedAt;
    break;
  }
  if (!sample.toBoxMs) sample.failure = "the box's window was not seen mapped after the sound";
  std::fprintf(stderr, "%s armed for %s: (a) %.1f ms, (b) %.1f ms\n",
               r.app ? "program" : "reference", e2e::utf8(at).c_str(), *sample.toSoundMs,
               sample.toBoxMs.value_or(-1));
  return sample;
}

struct Figures {
  std::string name;
  std::vector<double> toSound, toBox, coldToSound;
  std::optional<double> warmFirst;
  int failures = 0;
  int boxesLate = 0;
  std::string lastFailure;

  void add(const Sample& s, std::vector<double>* soundInto, std::vector<double>* boxInto) {
    if (!s.failure.empty()) {
      ++failures;
      lastFailure = s.failure;
      return;
    }
    if (soundInto != nullptr) soundInto->push_back(*s.toSoundMs);
    if (boxInto != nullptr) boxInto->push_back(*s.toBoxMs);
    if (s.boxLate) ++boxesLate;
  }
};

std::string spread(const std::vector<double>& values, bool markdown) {
  char text[64];
  if (values.empty()) return markdown ? "| | | " : "      -       -       -";
  const double max = *std::max_element(values.begin(), values.end());
  std::snprintf(text, sizeof text, markdown ? "| %.1f | %.1f | %.1f " : "%7.1f %7.1f %7.1f",
                bench::percentile(values, 0.50), bench::percentile(values, 0.99), max);
  return text;
}

void printTable(std::FILE* out, const std::vector<Figures>& programs, int alarms, int coldStarts,
                bool markdown) {
  std::fprintf(out,
               "%d alarms per program, each armed 1-2 s ahead, the programs in turn; then %d "
               "cold starts each, armed once; (a) the alarm's second to its first non-silent "
               "sample read from the sound sink, (b) the last one to the box mapped by the X "
               "server; p50 / p99 / max in ms\n",
               alarms, coldStarts);
  if (markdown) {
    std::fputs(
        "\n| program | alarms | (a) p50 | (a) p99 | (a) max | (b) p50 | (b) p99 | (b) max | "
        "cold | cold (a) p50 | cold (a) p99 | cold (a) max |\n"
        "|---|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|--:|\n",
        out);
  } else {
    std::fprintf(out, "%-20s %6s %23s %23s %5s %23s\n", "program", "alarms", "(a)", "(b)", "cold",
                 "cold (a)");
  }
  for (const Figures& f : programs) {
    if (markdown) {
      std::fprintf(out, "| %s | %zu %s%s| %zu %s|\n", f.name.c_str(), f.toSound.size(),
                   spread(f.toSound, true).c_str(), spread(f.toBox, true).c_str(),
                   f.coldToSound.size(), spread(f.coldToSound, true).c_str());
    } else {
      std::fprintf(out, "%-20s %6zu %s %s %5zu %s\n", f.name.c_str(), f.toSound.size(),
                   spread(f.toSound, false).c_str(), spread(f.toBox, false).c_str(),
                   f.coldToSound.size(), spread(f.coldToSound, false).c_str());
    }
  }
  if (markdown) std::fputs("\n", out);
  for (const Figures& f : programs) {
    std::fprintf(out, "%s%s: first alarm of the long-running copy (a) ", markdown ? "- " : "",
                 f.name.c_str());
    if (f.warmFirst) {
      std::fprintf(out, "%.1f ms, not counted above", *f.warmFirst);
    } else {
      std::fputs("not measured", out);
    }
    std::fprintf(out, "; %d failed%s%s; %d boxes mapped after the driver began to look\n",
                 f.failures, f.failures > 0 ? ", the last: " : "", f.lastFailure.c_str(),
                 f.boxesLate);
  }
  std::fflush(out);
}

std::string fileName(const std::wstring& path) {
  return e2e::utf8(path.substr(path.find_last_of(L"\\/") + 1));
}

int usage() {
  std::fputs(
      "usage: alarm_benchmark [--alarms N] [--cold N] [--markdown] STAMPS MAPS program.exe "
      "minimal.exe\n",
      stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int alarms = kDefaultAlarms;
  int coldStarts = kDefaultColdStarts;
  bool markdown = false;
  std::vector<std::wstring> positional;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if ((arg == L"--alarms" || arg == L"--cold") && i + 1 < argc) {
      const int n = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
      if (n < 1) return usage();
      (arg == L"--alarms" ? alarms : coldStarts) = n;
    } else if (arg == L"--markdown") {
      markdown = true;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 4) return usage();
  const Logs logs{positional[0], positional[1]};
  const std::wstring exes[2] = {positional[2], positional[3]};

  // The figures keep stdout; what the shared support prints on the way goes to stderr.
  std::FILE* out = _fdopen(_dup(_fileno(stdout)), "w");
  _dup2(_fileno(stderr), _fileno(stdout));

  std::vector<Figures> figures(2);
  for (int p = 0; p < 2; ++p) figures[p].name = fileName(exes[p]);

  // Long-running copies side by side; each one's first alarm opens its sound device.
  std::optional<Running> running[2];
  for (int p = 0; p < 2; ++p) running[p] = start(p == 0, exes[p], logs);
  if (running[0] && running[1]) {
    for (int p = 0; p < 2; ++p) figures[p].warmFirst = alarm(*running[p], logs).toSoundMs;
    for (int i = 0; i < alarms; ++i) {
      for (int p = 0; p < 2; ++p) {
        figures[p].add(alarm(*running[p], logs), &figures[p].toSound, &figures[p].toBox);
      }
      std::fprintf(stderr, "alarm %d of %d done\n", i + 1, alarms);
    }
  }
  for (auto& r : running) {
    if (r) close(*r);
  }

  for (int i = 0; i < coldStarts; ++i) {
    for (int p = 0; p < 2; ++p) {
      auto fresh = start(p == 0, exes[p], logs);
      if (!fresh) {
        Sample failed;
        failed.failure = "did not start";
        figures[p].add(failed, nullptr, nullptr);
        continue;
      }
      figures[p].add(alarm(*fresh, logs), &figures[p].coldToSound, nullptr);
      close(*fresh);
    }
    std::fprintf(stderr, "cold start %d of %d done\n", i + 1, coldStarts);
  }

  printTable(out, figures, alarms, coldStarts, markdown);
  std::fclose(out);
  const bool measured =
      std::all_of(figures.begin(), figures.end(), [](const Figures& f) { return f.failures == 0; });
  return running[0] && running[1] && measured ? 0 : 1;
}
