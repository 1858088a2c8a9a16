#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "checks.h"
#include "input.h"
#include "message_boxes.h"
#include "processes.h"
#include "scenarios.h"
#include "sound_support.h"
#include "text.h"
#include "waiting.h"

namespace e2e {

namespace fs = std::filesystem;

namespace {

// What the planted DLLs wrote: "<program> loaded <DLL>" per load. Lower-cased: an import is
// named as its importer spells it.
std::string loadsRecorded(const fs::path& folder) {
  std::ifstream in(folder / "planted-loaded.txt", std::ios::binary);
  std::string loads(std::istreambuf_iterator<char>(in), {});
  for (char& c : loads) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return loads;
}

// Wine prefers its own DLL to one in the program's folder; "native,builtin" makes it search as
// Windows does for a DLL that is not a KnownDLL. Wine reads it per program name when a program
// starts (an environment variable set here would not reach the programs started). What the
// prefix held before is put back at the end: the value, or no value and no key.
class WindowsDllSearch {
 public:
  WindowsDllSearch(std::wstring dll, const std::vector<std::wstring>& programs)
      : dll_(std::move(dll)) {
    if (!underWine()) return;
    for (const std::wstring& program : programs) {
      Earlier earlier{program, keyExists(programKey(program)), valueOf(program)};
      constexpr wchar_t kSearch[] = L"native,builtin";
      RegSetKeyValueW(HKEY_CURRENT_USER, overridesKey(program).c_str(), dll_.c_str(), REG_SZ,
                      kSearch, sizeof kSearch);
      earlier_.push_back(std::move(earlier));
    }
  }
  ~WindowsDllSearch() {
    for (const Earlier& e : earlier_) {
      if (!e.keyExisted) {
        RegDeleteTreeW(HKEY_CURRENT_USER, programKey(e.program).c_str());
      } else if (e.value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, overridesKey(e.program).c_str(), dll_.c_str(), REG_SZ,
                        e.value->c_str(),
                        static_cast<DWORD>((e.value->size() + 1) * sizeof(wchar_t)));
      } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, overridesKey(e.program).c_str(), dll_.c_str());
      }
    }
  }
  WindowsDllSearch(const WindowsDllSearch&) = delete;
  WindowsDllSearch& operator=(const WindowsDllSearch&) = delete;

 private:
  struct Earlier {
    std::wstring program;
    bool keyExisted;
    std::optional<std::wstring> value;
  };
  static std::wstring programKey(const std::wstring& program) {
    return L"Software\\Wine\\AppDefaults\\" + program;
  }
  static std::wstring overridesKey(const std::wstring& program) {
    return programKey(program) + L"\\DllOverrides";
  }
  static bool keyExists(const std::wstring& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(opened);
    return true;
  }
  std::optional<std::wstring> valueOf(const std::wstring& program) const {
    wchar_t value[256] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, overridesKey(program).c_str(), dll_.c_str(), RRF_RT_REG_SZ,
                     nullptr, value, &bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return value;
  }
  std::wstring dll_;
  std::vector<Earlier> earlier_;
};

}  // namespace

// Tolvane in a folder of its own, as unzipped into Downloads, with a winmm.dll and a winealsa.drv
// planted beside it and started from there. A program importing winmm loads the one; under Wine,
// whose sound system looks its driver up by bare name at the first sound, a program playing a
// sound loads the other. Tolvane must load neither, and its alarm must still sound and show its
// box.
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
  for (const fs::path& file :
       {built / "winmm.dll", built / "winealsa.drv", built / "winmm_importer.exe", product}) {
    fs::copy_file(file, folder / file.filename(), error);
    if (!check("the planted folder holds " + file.filename().string(), !error,
               file.string() + ": " + error.message())) {
      return;
    }
  }
  // The control again, left Wine's own winmm so that its sound reaches the sound system.
  fs::copy_file(built / "winmm_importer.exe", folder / "sound_player.exe", error);
  const std::wstring tolvane = product.filename().wstring();
  const WindowsDllSearch winmmSearch(L"winmm", {L"winmm_importer.exe", tolvane});
  const WindowsDllSearch driverSearch(L"winealsa.drv", {L"sound_player.exe", tolvane});

  std::vector<std::pair<std::string, std::string>> controls{{"winmm_importer.exe", "winmm.dll"}};
  if (underWine()) controls.emplace_back("sound_player.exe", "winealsa.drv");
  for (const auto& [program, dll] : controls) {
    auto control = Process::start((folder / program).wstring(), L"", folder.wstring());
    const bool ended = control && control->waitExit(30'000).has_value();
    const std::string loads = loadsRecorded(folder);
    std::string loaded = "\\";
    loaded.append(program).append(" loaded ").append(dll);
    std::string what = program;
    what.append(", beside the planted ").append(dll).append(", loads it");
    check(what, ended && loads.find(loaded) != std::string::npos,
          ended ? loads : "the control program did not run");
  }
  fs::remove(folder / "planted-loaded.txt", error);

  auto app = TolvaneApp::start((folder / product.filename()).wstring(), folder.wstring());
  if (app) {
    const std::size_t soundBefore = capturedSound().size();
    const std::wstring at = clockText(6);
    typeText(app->control(Ctl::Text1), at.substr(0, 2) + at.substr(3, 2) + at.substr(6, 2));
    typeText(app->control(Ctl::Text5), L"planted");
    pressChord(app->form(), {VK_MENU, 'O'});
    const Box alarm = waitForBox(*app, L"PESAN", 15'000);
    check("beside the planted DLLs the alarm box shows", alarm.text == L"planted",
          utf8(alarm.text));
    check("and the default sound plays",
          waitUntil([&] { return capturedSound().size() > soundBefore; }, kSinkDelayMs));
    if (alarm.window != nullptr) answerMessageBox(alarm.window, IDOK);
    const auto code = app->closeAndConfirm();
    check("program ends with code 0", code && *code == 0);
  }
  const std::string loads = loadsRecorded(folder);
  check("Tolvane never loaded the planted winmm.dll or winealsa.drv", loads.empty(), loads);
  fs::remove_all(folder, error);
}

}  // namespace e2e
