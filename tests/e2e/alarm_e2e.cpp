#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "scenarios.h"

namespace e2e {

namespace {

// A short tone whose samples are easy to find again in the captured sound.
std::vector<char> toneSamples() {
  std::vector<char> pcm;
  for (int i = 0; i < 11'025; ++i) {
    const auto sample = static_cast<std::int16_t>(9000.0 * std::sin(i * 0.0713) + (i % 97) * 13);
    pcm.push_back(static_cast<char>(sample & 0xFF));
    pcm.push_back(static_cast<char>((sample >> 8) & 0xFF));
  }
  return pcm;
}

void put32(std::ofstream& out, std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); }
void put16(std::ofstream& out, std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); }

std::wstring writeToneFile(const std::vector<char>& pcm) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  // A name the ANSI code page may not hold: the chosen file must play all the same.
  std::wstring path = std::wstring(folder) + L"tolvane-e2e-tone-\u65e5\u672c.wav";
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write("RIFF", 4);
  put32(out, static_cast<std::uint32_t>(36 + pcm.size()));
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, 1);  // PCM
  put16(out, 1);  // mono
  put32(out, 22'050);
  put32(out, 44'100);
  put16(out, 2);
  put16(out, 16);
  out.write("data", 4);
  put32(out, static_cast<std::uint32_t>(pcm.size()));
  out.write(pcm.data(), static_cast<std::streamsize>(pcm.size()));
  return path;
}

// The sound sink writes through a pipe, so the last bytes of a sound that has
// finished playing can reach the file a moment later.
constexpr DWORD kSinkDelayMs = 5'000;

std::vector<char> capturedSound() {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"WINE_SESSION_SOUND_WIN", path, MAX_PATH) == 0) return {};
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool contains(const std::vector<char>& haystack, const std::vector<char>& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
         haystack.end();
}

// Clicks a tab with the mouse, as a user does: the tab's rectangle is read
// through memory lent in the program's process.
bool clickTab(const TolvaneApp& app, int index) {
  const HWND tabs = app.control(Ctl::TabStrip1);
  const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                     FALSE, app.processId());
  if (process == nullptr) return false;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT item{};
  const bool got = remote != nullptr &&
                   SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index - 1),
                                reinterpret_cast<LPARAM>(remote)) != 0 &&
                   ReadProcessMemory(process, remote, &item, sizeof item, nullptr);
  if (remote != nullptr) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  if (!got || !focusWindow(app.form())) return false;

  POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ClientToScreen(tabs, &at);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (auto& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(at.x, 65'535, width - 1);
    input.mi.dy = MulDiv(at.y, 65'535, height - 1);
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
  }
  inputs[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
  inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  const bool sent = SendInput(3, inputs, sizeof(INPUT)) == 3;
  Sleep(100);
  return sent;
}

bool isShown(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

void choosesATone(const TolvaneApp& app, const std::wstring& tonePath) {
  check("tone tab clicked", clickTab(app, 2));
  check("tone page shows and the alarm page hides",
        waitUntil([&] { return isShown(app.control(Ctl::Fr3)) && !isShown(app.control(Ctl::Fr2)); },
                  3'000));
  check("focus goes to Default", focusedWindow(app.form()) == app.control(Ctl::Option1));

  click(app.control(Ctl::Option2));
  check("Chose tone enables the chooser",
        waitUntil([&] { return isEnabled(app.control(Ctl::Command3)); }, 3'000));
  click(app.control(Ctl::Command3));
  const HWND dialog =
      findTopWindow(L"Open", 10'000,
                    {.windowClass = L"#32770", .processId = app.processId(), .visibleOnly = true});
  if (!check("open-file dialog opens", dialog != nullptr)) return;
  const HWND types = findControl(dialog, 0x470);  // the file type list
  const std::wstring filter = windowText(types).value_or(L"");
  check("dialog offers the (*.wav) filter", filter == L"(*.wav)", utf8(filter));
  HWND name = findControl(dialog, 0x47C);  // the file name box, an edit inside a combo box
  if (HWND inner = FindWindowExW(name, nullptr, L"Edit", nullptr)) name = inner;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tonePath.c_str()));
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  const std::wstring shown = app.waitForText(Ctl::Text4, tonePath, 10'000);
  check("chosen file shows in the tone box", shown == tonePath, utf8(shown));
  check("chosen file becomes the tone path", app.text(Ctl::Label6) == tonePath);

  check("alarm tab clicked", clickTab(app, 1));
  check("alarm page shows and the tone page hides",
        waitUntil([&] { return isShown(app.control(Ctl::Fr2)) && !isShown(app.control(Ctl::Fr3)); },
                  3'000));
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

  typeText(app.control(Ctl::Text5), L"wake");
  pressChord(app.form(), {VK_MENU, 'O'});
  check("Alt+O arms the typed time", app.waitForText(Ctl::Label4, L"07::00", 3'000) == L"07::00");
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
  check("and the default sound plays",
        waitUntil([&] { return capturedSound().size() > soundBefore; }, kSinkDelayMs));
  // Wine's message box ignores MB_TOPMOST, so only coming to the front is seen here.
  check("its box comes to the front", GetForegroundWindow() == alarm.window);
  answerMessageBox(alarm.window, IDOK);
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

}  // namespace

void alarmScenario(const std::wstring& exe) {
  firesWithTheDefaultToneWhileHidden(exe);
  auto app = TolvaneApp::start(exe);
  if (!app) return;
  const std::vector<char> pcm = toneSamples();
  const std::wstring tonePath = writeToneFile(pcm);
  choosesATone(*app, tonePath);
  entersTimeAndMessage(*app);

  const std::wstring at = armFromKeyboard(*app, L"Time to go");

  const Box alarm = waitForBox(*app, L"PESAN", 15'000);
  check("alarm box PESAN appears", alarm.window != nullptr);
  check("alarm box shows the message", alarm.text == L"Time to go",
        utf8(alarm.text) + " / message field: " + utf8(app->text(Ctl::Text5)));
  check("the chosen tone played before the box",
        waitUntil(
            [&] {
              return contains(capturedSound(), std::vector<char>(pcm.begin(), pcm.begin() + 4'000));
            },
            kSinkDelayMs));
  answerMessageBox(alarm.window, IDOK);
  check("clock goes on after the alarm", app->nextClockText(3'000).has_value());
  check("alarm stays armed for tomorrow", app->text(Ctl::Label4) == at);
  const auto code = app->closeAndConfirm();
  check("program ends with code 0", code && *code == 0);
}

}  // namespace e2e
