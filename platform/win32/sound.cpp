#include <windows.h>

#include "platform/win32/system_services.h"
// After <windows.h>, which it needs.
#include <mmsystem.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/win32/dll_search.h"
#include "platform/win32/optional_api.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kDefaultEvent[] = L"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current";

void closeFile(HANDLE file) noexcept { CloseHandle(file); }

// Empty when there is none.
std::wstring shortPathName(const std::wstring& path) {
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring shortPath(size, L'\0');
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
  if (length == 0 || length >= size) return {};
  shortPath.resize(length);
  return shortPath;
}

// Empty when the event names no file; nullopt when the registry could not be read. RRF_RT_REG_SZ
// also takes a REG_EXPAND_SZ, expanded.
std::optional<std::wstring> defaultEventFile() {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    auto bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kDefaultEvent, nullptr, RRF_RT_REG_SZ,
                                        nullptr, value.data(), &bytes);
    if (status == ERROR_FILE_NOT_FOUND) return std::wstring();
    if (status == ERROR_MORE_DATA) {
      value.resize(bytes / sizeof(wchar_t) + 1);
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.resize(wcsnlen(value.c_str(), value.size()));
    return value;
  }
}

// The entry reads "file,description".
std::wstring iniDefaultFile() {
  std::array<wchar_t, 1024> value{};
  GetProfileStringW(L"Sounds", L"Default", L"", value.data(), static_cast<DWORD>(value.size()));
  std::wstring file(value.data());
  return file.substr(0, file.find(L','));
}

// A name without a folder is looked for as PlaySound looks for it.
bool isReadableWave(const std::wstring& path) {
  if (path.empty()) return false;
  std::array<wchar_t, MAX_PATH> found{};
  const DWORD length = SearchPathW(nullptr, path.c_str(), nullptr, static_cast<DWORD>(found.size()),
                                   found.data(), nullptr);
  const std::wstring file = length > 0 && length < found.size() ? found.data() : path;
  const HANDLE opened = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return false;
  const Owned<HANDLE, closeFile> handle(opened);
  std::array<char, 12> header{};
  DWORD read = 0;
  return ReadFile(handle.get(), header.data(), static_cast<DWORD>(header.size()), &read, nullptr) !=
             FALSE &&
         read == header.size() && std::memcmp(header.data(), "RIFF", 4) == 0 &&
         std::memcmp(header.data() + 8, "WAVE", 4) == 0;
}

}  // namespace

Win32SystemServices::Win32SystemServices(AfterMenus& afterMenus)
    : afterMenus_(afterMenus), winmm_(loadSystemLibrary(L"winmm.dll")) {
  if (!winmm_) return;
  playSoundA_ = exported<decltype(playSoundA_)>(winmm_.get(), "PlaySoundA");
  playSoundW_ = exported<decltype(playSoundW_)>(winmm_.get(), "PlaySoundW");
}

// Under an open menu the sounds wait for it to close; nothing reads the `true` that stands in.
bool Win32SystemServices::playFirst(std::span<const Sound> sounds) {
  return afterMenus_.run(
      [this, list = std::vector(sounds.begin(), sounds.end())] {
        return std::ranges::any_of(list, [this](const Sound& sound) {
          return sound.builtInTone ? playBuiltInTone() : playNow(sound.name, sound.flags);
        });
      },
      true);
}

// A path the ANSI code page cannot hold would name another file or none. Its short form usually
// can; failing that, the wide call takes the path as it is.
bool Win32SystemServices::playNow(const std::wstring& name, DWORD flags) const {
  const auto playAnsi = [&](const std::string& ansi) {
    return playSoundA_ != nullptr && playSoundA_(ansi.c_str(), nullptr, flags) != FALSE;
  };
  const AnsiText ansi = toAnsiCodePage(name);
  if (ansi.exact) return playAnsi(ansi.text);
  const AnsiText shortPath = toAnsiCodePage(shortPathName(name));
  if (shortPath.exact && !shortPath.text.empty()) return playAnsi(shortPath.text);
  return playSoundW_ != nullptr && playSoundW_(name.c_str(), nullptr, flags) != FALSE;
}

// SND_NODEFAULT: no default sound stands in for the program's own.
bool Win32SystemServices::playBuiltInTone() const {
  constexpr WORD kToneResource = 1;
  return playSoundW_ != nullptr &&
         playSoundW_(MAKEINTRESOURCEW(kToneResource), GetModuleHandleW(nullptr),
                     SND_RESOURCE | SND_SYNC | SND_NODEFAULT) != FALSE;
}

// What PlaySound falls back to when a name does not play. A named file that is missing, empty or
// unreadable counts as none.
DefaultSound Win32SystemServices::defaultSound() const {
  if (isReadableWave(iniDefaultFile())) return DefaultSound::Configured;
  const std::optional<std::wstring> event = defaultEventFile();
  if (!event) return DefaultSound::Unknown;
  return isReadableWave(*event) ? DefaultSound::Configured : DefaultSound::None;
}

bool Win32SystemServices::soundFilePlays(std::wstring_view path) const {
  return isReadableWave(std::wstring(path));
}

}  // namespace platform::win32
