#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "scenarios.h"
#include "sound_support.h"
#include "text.h"
#include "waiting.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

// What the planted winmm.dll wrote: one line per program that loaded it.
std::string loadsRecorded(const fs::path& folder) {
  std::ifstream in(folder / "winmm-loaded.txt", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Wine prefers its own winmm to one in the program's folder; "native,builtin" makes it search as
// Windows does for a DLL that is not a KnownDLL. Wine reads it per program name when a program
// starts (an environment variable set here would not reach the programs started).
class WindowsDllSearch {
 public:
  explicit WindowsDllSearch(std::vector<std::wstring> programs) : programs_(std::move(programs)) {
    const auto ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr) programs_.clear();
    for (const std::wstring& program : programs_) {
      constexpr wchar_t kSearch[] = L"native,builtin";
      RegSetKeyValueW(HKEY_CURRENT_USER, key(program).c_str(), L"winmm", REG_SZ, kSearch,
                      sizeof kSearch);
    }
  }
  ~WindowsDllSearch() {
    for (const std::wstring& program : programs_) {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, key(program).c_str(), L"winmm");
    }
  }
  WindowsDllSearch(const WindowsDllSearch&) = delete;
  WindowsDllSearch& operator=(const WindowsDllSearch&) = delete;

 private:
  static std::wstring key(const std::wstring& program) {
    return L"Software\\Wine\\AppDefaults\\" + program + L"\\DllOverrides";
  }
  std::vector<std::wstring> programs_;
};

}  // namespace

// Tolvane in a folder of its own, as unzipped into Downloads, with a winmm.dll planted beside it
// and started from there. A program that imports winmm loads that copy; Tolvane must not, and
// its alarm must still sound and show its box.
void plantedDllScenario(const std::wstring& exe) {
  const fs::path product = fs::absolute(fs::path(exe));
  const fs::path built = product.parent_path() / "tests" / "planted_dll";
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const fs::path folder =
      fs::path(temp) / ("tolvane-planted-" + std::to_string(GetCurrentProcessId()));
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder, error);
  for (const fs::path& file : {built / "winmm.dll", built / "winmm_importer.exe", product}) {
    fs::copy_file(file, folder / file.filename(), error);
    if (!check("the planted folder holds " + file.filename().string(), !error,
               file.string() + ": " + error.message())) {
      return;
    }
  }
  const WindowsDllSearch windowsSearch({L"winmm_importer.exe", product.filename().wstring()});

  auto control = Process::start((folder / "winmm_importer.exe").wstring(), L"", folder.wstring());
  const bool controlEnded = control && control->waitExit(30'000).has_value();
  check("a program importing winmm, beside the planted winmm.dll, loads it",
        controlEnded && loadsRecorded(folder).find("winmm_importer") != std::string::npos,
        controlEnded ? "no load recorded" : "the control program did not run");
  fs::remove(folder / "winmm-loaded.txt", error);

  auto app = TolvaneApp::start((folder / product.filename()).wstring(), folder.wstring());
  if (app) {
    const std::size_t soundBefore = capturedSound().size();
    const std::wstring at = clockText(6);
    typeText(app->control(Ctl::Text1), at.substr(0, 2) + at.substr(3, 2) + at.substr(6, 2));
    typeText(app->control(Ctl::Text5), L"planted");
    pressChord(app->form(), {VK_MENU, 'O'});
    const Box alarm = waitForBox(*app, L"PESAN", 15'000);
    check("beside a planted winmm.dll the alarm box shows", alarm.text == L"planted",
          utf8(alarm.text));
    check("and the default sound plays",
          waitUntil([&] { return capturedSound().size() > soundBefore; }, kSinkDelayMs));
    if (alarm.window != nullptr) answerMessageBox(alarm.window, IDOK);
    const auto code = app->closeAndConfirm();
    check("program ends with code 0", code && *code == 0);
  }
  const std::string loads = loadsRecorded(folder);
  check("Tolvane never loaded the planted winmm.dll", loads.empty(), loads);
  fs::remove_all(folder, error);
}

}  // namespace e2e
