#include <algorithm>
#include <cwchar>
#include <memory>
#include <optional>
#include <vector>

#include "app/alarm_time.h"
#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "platform/controls.h"
#include "processes.h"
#include "scenarios.h"
#include "sound_support.h"
#include "text.h"
#include "waiting.h"
#include "window_finding.h"
#include "window_state.h"

namespace e2e {

namespace {

using OwnedHandle = std::unique_ptr<void, decltype(&CloseHandle)>;

void clearField(const TolvaneApp& app, Ctl field) {
  SendMessageW(app.control(field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}

// "&Ok" arms a one-digit part padded, and refuses a time the clock never shows.
void armsOnlyWhatTheClockShows(const TolvaneApp& app) {
  typeText(app.control(Ctl::Text1), L"7");
  typeText(app.control(Ctl::Text2), L"5");
  typeText(app.control(Ctl::Text3), L"0");
  pressChord(app.form(), {VK_MENU, 'O'});
  const std::wstring armed = app.waitForText(Ctl::Label4, L"07:05:00", 3'000);
  check("7, 5 and 0 arm 07:05:00", armed == L"07:05:00", utf8(armed));

  clearField(app, Ctl::Text1);
  typeText(app.control(Ctl::Text1), L"25");
  pressChord(app.form(), {VK_MENU, 'O'});
  const Box error = waitForBox(app, L"ERROR", 5'000);
  check("25 for the hours raises the ERROR box with the ranges",
        error.text == app::kAlarmTimeRangeText, utf8(error.text));
  answerMessageBox(error.window, IDOK);
  check("and the alarm armed before stays armed",
        waitUntil([&] { return !IsWindow(error.window); }, 3'000) &&
            app.text(Ctl::Label4) == L"07:05:00",
        utf8(app.text(Ctl::Label4)));
  check("the focus goes to the hours",
        waitUntil([&] { return focusedWindow(app.form()) == app.control(Ctl::Text1); }, 3'000));
  pressChord(app.form(), {VK_MENU, 'R'});
}

// Types the alarm time "hh:mm:ss" and a message, and presses Ok.
bool armAlarm(const TolvaneApp& app, const std::wstring& at, const std::wstring& message) {
  typeText(app.control(Ctl::Text1), at.substr(0, 2) + at.substr(3, 2) + at.substr(6, 2));
  typeText(app.control(Ctl::Text5), message);
  pressChord(app.form(), {VK_MENU, 'O'});
  return check("the alarm " + utf8(at) + " is armed", app.waitForText(Ctl::Label4, at, 3'000) == at,
               utf8(app.text(Ctl::Label4)));
}

// The clock shows `second`, the one just before an alarm the test is about to stall across.
bool clockReaches(const TolvaneApp& app, const std::wstring& second) {
  return check("the clock reaches the second before the alarm",
               app.waitForText(Ctl::Label1, second, 8'000) == second, "waited for " + utf8(second));
}

// Stops the program's thread for `ms`, as a busy machine, a debugger or sleep does.
bool stopThreadFor(const TolvaneApp& app, DWORD ms) {
  const OwnedHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, app.process().mainThreadId()),
                           &CloseHandle);
  const bool stopped = thread != nullptr && SuspendThread(thread.get()) != static_cast<DWORD>(-1);
  Sleep(ms);
  if (stopped) ResumeThread(thread.get());
  return stopped;
}

// The program's thread stopped across the alarm second, as on a busy machine
// or under a debugger: the late tick still rings the alarm, once.
void firesOnceAfterAStall(const TolvaneApp& app) {
  const std::wstring justBefore = clockText(3);
  if (!armAlarm(app, clockText(5), L"stalled") || !clockReaches(app, justBefore)) return;
  const std::size_t soundBefore = capturedSound().size();
  if (!check("the program's thread is stopped for 4 s across the alarm second",
             stopThreadFor(app, 4'000))) {
    return;
  }

  const Box alarm = waitForBox(app, L"PESAN", 10'000);
  check("the alarm whose second passed while stopped still fires", alarm.text == L"stalled",
        alarm.window == nullptr ? "no box; clock at " + utf8(app.text(Ctl::Label1))
                                : utf8(alarm.text));
  check("and its tone plays",
        waitUntil([&] { return capturedSound().size() > soundBefore; }, kSinkDelayMs));
  answerMessageBox(alarm.window, IDOK);
  waitUntil([&] { return !IsWindow(alarm.window); }, 3'000);
  check("it fires once", findMessageBox(L"PESAN", 3'000, app.processId()) == nullptr);
}

// Sleep as the program lives it: its thread stops for more than a minute across
// the alarm second, then the resume notice comes. The alarm is reported, quietly
// and once, instead of ringing long after its time.
void reportsAnAlarmMissedInSleep(const TolvaneApp& app) {
  pressChord(app.form(), {VK_MENU, 'R'});
  app.waitForText(Ctl::Label4, L"", 3'000);
  const std::wstring justBefore = clockText(2);
  const std::wstring at = clockText(4);
  if (!armAlarm(app, at, L"slept") || !clockReaches(app, justBefore)) return;
  const std::size_t soundBefore = capturedSound().size();
  const bool stopped = stopThreadFor(app, 65'000);
  PostMessageW(app.form(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  if (!check("the program's thread is stopped for 65 s across the alarm second", stopped)) return;

  const Box missed = waitForBox(app, L"PESAN", 10'000);
  check("after the resume notice one box reports the alarm missed, with its due time",
        missed.text == app::missedAlarmText(L"slept", at),
        missed.window == nullptr ? "no box" : utf8(missed.text));
  Sleep(kSinkDelayMs);
  check("and no tone plays", capturedSound().size() == soundBefore,
        std::to_string(capturedSound().size() - soundBefore) + " bytes captured");
  answerMessageBox(missed.window, IDOK);
  waitUntil([&] { return !IsWindow(missed.window); }, 3'000);
  check("no second box follows", findMessageBox(L"PESAN", 3'000, app.processId()) == nullptr);
}

// "hh:mm:ss" of a FILETIME.
std::wstring clockTextOf(const FILETIME& t) {
  SYSTEMTIME s{};
  FileTimeToSystemTime(&t, &s);
  return app::formatClock({.hour = s.wHour, .minute = s.wMinute, .second = s.wSecond});
}

FILETIME plusSeconds(const FILETIME& t, long long seconds) {
  ULARGE_INTEGER v{};
  v.LowPart = t.dwLowDateTime;
  v.HighPart = t.dwHighDateTime;
  v.QuadPart += static_cast<ULONGLONG>(seconds) * 10'000'000ULL;
  return {v.LowPart, v.HighPart};
}

// A POSIX zone of standard time UTC+1 and daylight time UTC+2 whose daylight time
// starts at `change`, given in standard time, or ends there, given in daylight
// time. A rule counts the day of the year from 0.
std::wstring zoneChangingAt(const FILETIME& change, bool springForward) {
  SYSTEMTIME s{};
  FileTimeToSystemTime(&change, &s);
  SYSTEMTIME newYear{};
  newYear.wYear = s.wYear;
  newYear.wMonth = 1;
  newYear.wDay = 1;
  FILETIME start{};
  SystemTimeToFileTime(&newYear, &start);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const auto day = (ticks(change) - ticks(start)) / (86'400ULL * 10'000'000ULL);
  wchar_t rule[64];
  std::swprintf(rule, 64,
                springForward ? L"AAA-1BBB,%llu/%02d:%02d:00,J365/23:00:00"
                              : L"AAA-1BBB,0/00:00:00,%llu/%02d:%02d:00",
                day, s.wHour, s.wMinute);
  return rule;
}

// Wine takes a process's time zone from its Unix TZ when it starts, and ignores a
// TZ set for a Windows child, so env(1) starts wine with the zone for the program alone.
std::optional<TolvaneApp> startInZone(const std::wstring& exe, const std::wstring& zone) {
  return TolvaneApp::startFromUnix(L"Z:\\usr\\bin\\env TZ=" + zone + L" wine \"" + exe + L"\"",
                                   "in a zone of its own");
}

// A window that cannot be built says so, and the box waits for the user, both
// when no window exists yet and when the half-built window is torn down first
// (its destruction must not end the box's message loop). The probe is built
// beside the program under test, for the same architecture.
void startFailureIsSeen(const std::wstring& exe, const wchar_t* when,
                        const std::wstring& failedPart) {
  std::string error;
  const auto probe =
      Process::start(folderOf(exe) + L"\\start_failure_probe.exe", when, L"", &error);
  const std::string label = " (" + utf8(when) + ")";
  if (!check("the start-failure probe starts" + label, probe.has_value(), error)) return;
  const HWND box = findMessageBox(L"Tolvane", 10'000, probe->id());
  const std::wstring text = box != nullptr ? messageBoxText(box).value_or(L"") : L"";
  check("a window that cannot be built says so, naming what failed" + label,
        text.find(L"could not start: creating " + failedPart + L" failed") != std::wstring::npos,
        utf8(text));
  Sleep(1'500);
  check("and the box waits for OK" + label, box != nullptr && isVisible(box) && probe->running());
  answerMessageBox(box, IDOK);
  const auto code = probe->waitExit(5'000);
  check("then the program exits with code 3" + label, code && *code == 3,
        code ? std::to_string(*code) : "still running");
  if (!code) probe->kill();
}

}  // namespace

void neverLostScenario(const std::wstring& exe) {
  startFailureIsSeen(exe, L"before-window", L"the window classes");
  startFailureIsSeen(exe, L"after-window", L"Text1");
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  armsOnlyWhatTheClockShows(*app);
  firesOnceAfterAStall(*app);
  reportsAnAlarmMissedInSleep(*app);
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

// A daylight-saving change for a program alone, a little under a minute ahead,
// both ways at once. Spring forward: an alarm inside the hour that never comes
// rings once, at the jump. Fall back: an alarm at the changeover second does not
// ring at the change, an hour early, even though Wine applies the change a few
// milliseconds after the boundary, and the clock goes on in standard time.
void daylightSavingScenario(const std::wstring& exe) {
  constexpr long long kHour = 3'600;
  constexpr long long kLeadSeconds = 30;  // the programs start and their alarms are typed meanwhile
  FILETIME utc{};
  GetSystemTimeAsFileTime(&utc);
  FILETIME change = plusSeconds(utc, kLeadSeconds + 60);
  SYSTEMTIME whole{};
  FileTimeToSystemTime(&change, &whole);
  whole.wSecond = 0;
  whole.wMilliseconds = 0;
  SystemTimeToFileTime(&whole, &change);
  const FILETIME standard = plusSeconds(change, kHour);  // the change in each zone's local time
  const FILETIME daylight = plusSeconds(change, 2 * kHour);

  auto spring = startInZone(exe, zoneChangingAt(standard, true));
  auto fall = startInZone(exe, zoneChangingAt(daylight, false));
  const std::wstring changeover = clockTextOf(daylight);
  const bool fallArmed = fall && armAlarm(*fall, changeover, L"at the changeover");
  // Armed after its time today, so due tomorrow, until falling back sets the clock onto it.
  auto fallOnto = startInZone(exe, zoneChangingAt(daylight, false));
  const bool ontoArmed = fallOnto && armAlarm(*fallOnto, clockTextOf(standard), L"set onto");
  if (spring) {
    const std::wstring lastStandard = clockTextOf(plusSeconds(standard, -1));
    const std::wstring skipped = clockTextOf(plusSeconds(standard, 1'800));
    if (armAlarm(*spring, skipped, L"in the skipped hour")) {
      check("the program's clock reaches the last second of standard time",
            spring->waitForText(Ctl::Label1, lastStandard, 90'000) == lastStandard,
            "waited for " + utf8(lastStandard) + ", read " + utf8(spring->text(Ctl::Label1)));
      const std::size_t soundBefore = capturedSound().size();
      const Box alarm = waitForBox(*spring, L"PESAN", 5'000);
      const std::wstring shown = spring->text(Ctl::Label1);
      check("the alarm inside the skipped hour rings at the jump",
            alarm.text == L"in the skipped hour", utf8(alarm.text));
      check("and the clock shows daylight time", shown == changeover,
            utf8(shown) + ", expected " + utf8(changeover));
      check("its tone plays",
            waitUntil([&] { return capturedSound().size() > soundBefore; }, kSinkDelayMs));
      answerMessageBox(alarm.window, IDOK);
      waitUntil([&] { return !IsWindow(alarm.window); }, 3'000);
      check("it rings once", findMessageBox(L"PESAN", 3'000, spring->processId()) == nullptr);
    }
    const auto code = spring->closeAndConfirm();
    check("program ends with code 0", code && *code == 0);
  }
  if (fallOnto) {
    const Box onto = ontoArmed ? waitForBox(*fallOnto, L"PESAN", 90'000) : Box{};
    check("an alarm armed after its time rings when falling back sets the clock onto it",
          onto.text == L"set onto", utf8(onto.text));
    answerMessageBox(onto.window, IDOK);
    const auto code = fallOnto->closeAndConfirm();
    check("program ends with code 0", code && *code == 0);
  }
  if (!fall) return;
  if (fallArmed) {
    // The spring-forward checks above took some seconds past the change.
    const std::wstring standardMinute = clockTextOf(standard).substr(0, 6);
    check("after falling back the clock shows standard time",
          waitUntil([&] { return fall->text(Ctl::Label1).starts_with(standardMinute); }, 90'000),
          "waited for " + utf8(standardMinute) + "…, read " + utf8(fall->text(Ctl::Label1)));
    check("and the alarm at the changeover second did not ring at the change",
          findMessageBox(L"PESAN", 1'000, fall->processId()) == nullptr);
  }
  const auto code = fall->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

}  // namespace e2e
