#include "soak_usage.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "bench/soak_figures.h"

namespace soak {

namespace {

// Linux reports CPU times in clock ticks of 1/100 s on every architecture Wine runs on.
constexpr double kClockTicksPerSecond = 100.0;
constexpr long long kTraceChunk = 1 << 18;

struct FileCloser {
  void operator()(HANDLE file) const { CloseHandle(file); }
};
using File = std::unique_ptr<void, FileCloser>;

File openShared(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return File(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

// Files under /proc report no size: read until the end.
std::optional<std::string> readWhole(const std::wstring& path) {
  const File file = openShared(path);
  if (!file) return std::nullopt;
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    text.append(buffer, got);
  }
  return text;
}

std::wstring procFile(int unixPid, const wchar_t* name) {
  return L"Z:\\proc\\" + std::to_wstring(unixPid) + L"\\" + name;
}

// The last `bytes` of a file that keeps growing.
std::optional<std::string> readTail(const std::wstring& path, long long bytes) {
  const File file = openShared(path);
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  LARGE_INTEGER start{};
  start.QuadPart = size.QuadPart > bytes ? size.QuadPart - bytes : 0;
  if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN)) return std::nullopt;
  std::string text(static_cast<std::size_t>(size.QuadPart - start.QuadPart), '\0');
  DWORD got = 0;
  if (!text.empty() &&
      !ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr)) {
    return std::nullopt;
  }
  text.resize(got);
  return text;
}

// Read from the end, a larger piece each time, until a count is found or the whole file was read.
std::optional<long long> gdiObjects(const std::wstring& trace) {
  for (long long bytes = kTraceChunk;; bytes *= 4) {
    const auto tail = readTail(trace, bytes);
    if (!tail) return std::nullopt;
    if (auto count = lastGdiCount(*tail)) return count;
    if (static_cast<long long>(tail->size()) < bytes) return std::nullopt;
  }
}

struct WindowCount {
  DWORD processId;
  long long count;
};

BOOL CALLBACK countChild(HWND, LPARAM param) {
  ++reinterpret_cast<WindowCount*>(param)->count;
  return TRUE;
}

BOOL CALLBACK countTop(HWND window, LPARAM param) {
  auto* counted = reinterpret_cast<WindowCount*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != counted->processId) return TRUE;
  ++counted->count;
  // EnumChildWindows goes through every descendant, not only the direct children.
  EnumChildWindows(window, countChild, param);
  return TRUE;
}

long long windows(DWORD processId) {
  WindowCount counted{processId, 0};
  EnumWindows(countTop, reinterpret_cast<LPARAM>(&counted));
  return counted.count;
}

// SystemExtendedHandleInformation, as ntdll lays it out.
struct HandleEntry {
  void* object;
  ULONG_PTR processId;
  ULONG_PTR handle;
  ULONG grantedAccess;
  USHORT creatorBackTraceIndex;
  USHORT objectTypeIndex;
  ULONG attributes;
  ULONG reserved;
};
struct HandleTable {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr LONG kStatusInfoLengthMismatch = static_cast<LONG>(0xC0000004);
using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

std::optional<long long> kernelHandles(DWORD processId) {
  static const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return std::nullopt;
  std::vector<unsigned char> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(kSystemExtendedHandleInformation, buffer.data(),
                              static_cast<ULONG>(buffer.size()), &needed);
    if (status == kStatusInfoLengthMismatch) {
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status < 0) return std::nullopt;
    break;
  }
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  long long count = 0;
  for (ULONG_PTR i = 0; i < table->count; ++i) {
    if (table->entries[i].processId == processId) ++count;
  }
  return count;
}

std::optional<long long> privateMemoryKiB(int unixPid) {
  const auto text = readWhole(procFile(unixPid, L"smaps_rollup"));
  return text ? privateKiB(*text) : std::nullopt;
}

std::optional<double> cpuSeconds(int unixPid) {
  const auto text = readWhole(procFile(unixPid, L"stat"));
  const auto ticks = text ? cpuTicks(*text) : std::nullopt;
  if (!ticks) return std::nullopt;
  return static_cast<double>(*ticks) / kClockTicksPerSecond;
}

}  // namespace

Usage measure(const Measured& program) {
  Usage usage;
  usage.gdiObjects = gdiObjects(program.gdiTrace);
  usage.windows = windows(program.processId);
  usage.kernelHandles = kernelHandles(program.processId);
  usage.privateKiB = privateMemoryKiB(program.unixPid);
  usage.cpuSeconds = cpuSeconds(program.unixPid);
  return usage;
}

}  // namespace soak
