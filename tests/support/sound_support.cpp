#include "sound_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "waiting.h"

namespace e2e {

namespace {

constexpr wchar_t kDefaultEvent[] = L"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current";
constexpr wchar_t kIniSounds[] = L"Control Panel\\Sounds";

// A string value under HKEY_CURRENT_USER; empty if there is none.
std::wstring userValue(const wchar_t* key, const wchar_t* name) {
  std::array<wchar_t, 1024> value{};
  auto bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) !=
      ERROR_SUCCESS) {
    return {};
  }
  return value.data();
}

void setUserValue(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
  if (value.empty()) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, name);
    return;
  }
  RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, value.c_str(),
                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::vector<char> fileBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void put32(std::ofstream& out, std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); }
void put16(std::ofstream& out, std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); }

}  // namespace

std::vector<char> toneSamples(double radiansPerSample) {
  std::vector<char> pcm;
  for (int i = 0; i < 11'025; ++i) {
    const auto sample =
        static_cast<std::int16_t>(9000.0 * std::sin(i * radiansPerSample) + (i % 97) * 13);
    pcm.push_back(static_cast<char>(sample & 0xFF));
    pcm.push_back(static_cast<char>((sample >> 8) & 0xFF));
  }
  return pcm;
}

std::wstring writeToneFile(const std::vector<char>& pcm, const std::wstring& name,
                           std::uint16_t formatTag) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  std::wstring path = std::wstring(folder) + name;
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write("RIFF", 4);
  put32(out, static_cast<std::uint32_t>(36 + pcm.size()));
  out.write("WAVEfmt ", 8);
  put32(out, 16);
  put16(out, formatTag);
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

std::vector<char> defaultSoundSamples() {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"WINE_SESSION_SOUND_WIN", path, MAX_PATH) == 0) return {};
  std::ifstream in(std::filesystem::path(path).replace_filename("default-sound.wav"),
                   std::ios::binary);
  const std::vector<char> wav{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // The samples follow the "data" tag and its 4-byte length.
  const char tag[] = "data";
  const auto data = std::search(wav.begin(), wav.end(), tag, tag + 4);
  if (wav.end() - data < 8) return {};
  return {data + 8, wav.end()};
}

std::vector<char> capturedSound() {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"WINE_SESSION_SOUND_WIN", path, MAX_PATH) == 0) return {};
  return fileBytes(path);
}

unsigned long long capturedSoundBytes() {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"WINE_SESSION_SOUND_WIN", path, MAX_PATH) == 0) return 0;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) return 0;
  return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool contains(const std::vector<char>& haystack, const std::vector<char>& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
         haystack.end();
}

bool tonePlayed(const std::vector<char>& pcm, std::size_t soundBefore) {
  const std::vector<char> start(pcm.begin(), pcm.begin() + 4'000);
  return waitUntil(
      [&] {
        const std::vector<char> sound = capturedSound();
        return sound.size() > soundBefore &&
               contains(std::vector<char>(sound.begin() + static_cast<std::ptrdiff_t>(soundBefore),
                                          sound.end()),
                        start);
      },
      kSinkDelayMs, 50);
}

std::vector<char> waveSamples(const std::vector<char>& file) {
  std::size_t at = 12;
  while (at + 8 <= file.size()) {
    std::uint32_t size = 0;
    std::memcpy(&size, file.data() + at + 4, 4);
    const auto begin = file.begin() + static_cast<std::ptrdiff_t>(at + 8);
    if (std::memcmp(file.data() + at, "data", 4) == 0) {
      return {begin, begin + static_cast<std::ptrdiff_t>(
                                 std::min<std::size_t>(size, file.size() - at - 8))};
    }
    at += 8 + size + (size & 1);
  }
  return {};
}

std::vector<char> ownToneSamples(const std::wstring& exe) {
  const std::wstring path = std::filesystem::absolute(std::filesystem::path(exe)).wstring();
  const HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (module == nullptr) return {};
  std::vector<char> samples;
  if (const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), L"WAVE")) {
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    if (bytes != nullptr) samples = waveSamples({bytes, bytes + SizeofResource(module, found)});
  }
  FreeLibrary(module);
  return samples;
}

NoDefaultSound::NoDefaultSound()
    : eventFile_(userValue(kDefaultEvent, nullptr)), iniEntry_(userValue(kIniSounds, L"Default")) {
  setUserValue(kDefaultEvent, nullptr, L"");
  setUserValue(kIniSounds, L"Default", L"");
}

NoDefaultSound::~NoDefaultSound() {
  setUserValue(kDefaultEvent, nullptr, eventFile_);
  setUserValue(kIniSounds, L"Default", iniEntry_);
}

std::vector<char> NoDefaultSound::registeredSamples() const {
  return waveSamples(fileBytes(eventFile_));
}

}  // namespace e2e
