#include <memory>

#include "app/alarm_time.h"
#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "processes.h"
#include "scenarios.h"
#include "sound_support.h"
#include "text.h"
#include "waiting.h"
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

// The program's thread stopped across the alarm second, as on a busy machine
// or under a debugger: the late tick still rings the alarm, once.
void firesOnceAfterAStall(const TolvaneApp& app) {
  const std::wstring justBefore = clockText(3);
  const std::wstring at = clockText(5);
  typeText(app.control(Ctl::Text1), at.substr(0, 2) + at.substr(3, 2) + at.substr(6, 2));
  typeText(app.control(Ctl::Text5), L"stalled");
  pressChord(app.form(), {VK_MENU, 'O'});
  if (!check("an alarm a few seconds ahead is armed", app.waitForText(Ctl::Label4, at, 3'000) == at,
             utf8(app.text(Ctl::Label4)))) {
    return;
  }
  if (!check("the clock reaches the seconds before the alarm",
             app.waitForText(Ctl::Label1, justBefore, 8'000) == justBefore,
             "waited for " + utf8(justBefore))) {
    return;
  }
  const std::size_t soundBefore = capturedSound().size();
  const OwnedHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, app.process().mainThreadId()),
                           &CloseHandle);
  const bool stopped = thread != nullptr && SuspendThread(thread.get()) != static_cast<DWORD>(-1);
  Sleep(4'000);
  if (stopped) ResumeThread(thread.get());
  if (!check("the program's thread is stopped for 4 s across the alarm second", stopped)) return;

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
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

}  // namespace e2e
