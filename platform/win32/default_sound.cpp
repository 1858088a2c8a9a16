#include "platform/win32/default_sound.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <optional>

#include "platform/win32/handles.h"

namespace platform::win32 {

namespace {

constexpr wchar_t kDefaultEvent[] = L"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current";

void closeFile(HANDLE file) noexcept { CloseHandle(file); }

// The file the ".Default" event names (empty when none is named); nullopt when the registry
// could not be read. A REG_EXPAND_SZ comes expanded, as a REG_SZ.
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

// win.ini's entry reads "file,description".
std::wstring iniDefaultFile() {
  std::array<wchar_t, 1024> value{};
  GetProfileStringW(L"Sounds", L"Default", L"", value.data(), static_cast<DWORD>(value.size()));
  std::wstring file(value.data());
  return file.substr(0, file.find(L','));
}

}  // namespace

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

// A named file that is missing, empty or unreadable counts as none.
DefaultSound configuredDefaultSound() {
  if (isReadableWave(iniDefaultFile())) return DefaultSound::Configured;
  const std::optional<std::wstring> event = defaultEventFile();
  if (!event) return DefaultSound::Unknown;
  return isReadableWave(*event) ? DefaultSound::Configured : DefaultSound::None;
}

}  // namespace platform::win32
