#include "remote_memory.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cwchar>
#include <utility>

#include "window_state.h"

namespace e2e {

namespace {

// Memory lent in the process that owns a window, for messages whose parameters point to
// memory: the window reads and writes it there.
class RemoteMemory {
 public:
  RemoteMemory(HWND window, std::size_t size) {
    const DWORD owner = windowProcessId(window);
    if (owner == 0) return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                               PROCESS_QUERY_LIMITED_INFORMATION,
                           FALSE, owner);
    if (process_ == nullptr) return;
    // Structures that hold pointers must be laid out for the owner's bitness: a process under
    // WoW64 runs 32-bit code, whatever the driver's own bitness.
    BOOL ownerWow64 = FALSE;
    if (!IsWow64Process(process_, &ownerWow64)) return;
    ownerPointerSize_ = ownerWow64 ? 4 : sizeof(void*);
    base_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  ~RemoteMemory() {
    if (base_ != nullptr) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
  }

  bool ok() const { return base_ != nullptr; }
  bool ownerSharesLayout() const { return ownerPointerSize_ == sizeof(void*); }
  bool ownerIs32Bit() const { return ownerPointerSize_ == 4; }
  void* at(std::size_t offset) const { return base_ + offset; }
  bool write(std::size_t offset, const void* data, std::size_t size) const {
    return WriteProcessMemory(process_, base_ + offset, data, size, nullptr) != FALSE;
  }
  bool read(std::size_t offset, void* data, std::size_t size) const {
    return ReadProcessMemory(process_, base_ + offset, data, size, nullptr) != FALSE;
  }
  // Reads the owner's memory anywhere, not only what was lent.
  bool readAt(std::uintptr_t address, void* data, std::size_t size) const {
    return ReadProcessMemory(process_, reinterpret_cast<const void*>(address), data, size,
                             nullptr) != FALSE;
  }

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
  std::size_t ownerPointerSize_ = 0;
};

std::optional<LRESULT> sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

// Room for the longest tooltip text (INFOTIPSIZE characters) and its NUL.
constexpr std::size_t kTooltipTextChars = 1025;

// TCITEMW as a 32-bit program lays it out: its pointer and LPARAM take four bytes.
struct TabItem32 {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  std::uint32_t pszText;
  int cchTextMax;
  int iImage;
  std::uint32_t lParam;
};
static_assert(sizeof(TabItem32) == 28);

constexpr int kTabTextChars = 256;

// A balloon's title is at most 63 characters; the tooltip's state is its 1024-character text
// and a few dozen words.
constexpr std::size_t kTitleChars = 64;
constexpr std::size_t kTooltipStateBytes = 2048 + 512;

// Asks for the text of tab `index` with an item of layout `Item` lent in the tab strip's process;
// `pointer` turns the remote text address into the item's pointer field.
template <typename Item, typename ToPointer>
std::optional<std::wstring> remoteTabText(HWND tabs, const RemoteMemory& remote, int index,
                                          ToPointer pointer) {
  Item item{};
  item.mask = TCIF_TEXT;
  item.pszText = pointer(remote.at(sizeof(Item)));
  item.cchTextMax = kTabTextChars;
  const wchar_t empty = L'\0';
  if (!remote.write(0, &item, sizeof item) || !remote.write(sizeof(Item), &empty, sizeof empty)) {
    return std::nullopt;
  }
  const auto got = sendWithTimeout(tabs, TCM_GETITEMW, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(remote.at(0)));
  if (!got || *got == 0) return std::nullopt;
  std::wstring text(kTabTextChars, L'\0');
  if (!remote.read(sizeof(Item), text.data(), text.size() * sizeof(wchar_t))) return std::nullopt;
  text.resize(std::wcslen(text.c_str()));
  return text;
}

}  // namespace

std::optional<std::vector<TooltipTool>> tooltipTools(HWND tooltip) {
  if (tooltip == nullptr || !IsWindow(tooltip)) return std::nullopt;
  const std::size_t textBytes = kTooltipTextChars * sizeof(wchar_t);
  const RemoteMemory remote(tooltip, sizeof(TTTOOLINFOW) + textBytes);
  if (!remote.ok() || !remote.ownerSharesLayout()) return std::nullopt;
  auto* remoteInfo = static_cast<TTTOOLINFOW*>(remote.at(0));
  auto* remoteText = static_cast<wchar_t*>(remote.at(sizeof(TTTOOLINFOW)));

  const auto count = sendWithTimeout(tooltip, TTM_GETTOOLCOUNT, 0, 0);
  if (!count) return std::nullopt;
  std::vector<TooltipTool> tools;
  for (LRESULT i = 0; i < *count; ++i) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    if (!remote.write(0, &info, sizeof info)) return std::nullopt;
    const auto listed = sendWithTimeout(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(remoteInfo));
    if (!listed) return std::nullopt;
    if (*listed == 0 || !remote.read(0, &info, sizeof info)) continue;

    // TTM_GETTEXTW finds the tool by window and ID and copies its text into lpszText.
    const wchar_t empty = L'\0';
    info.lpszText = remoteText;
    if (!remote.write(0, &info, sizeof info) ||
        !remote.write(sizeof(TTTOOLINFOW), &empty, sizeof empty)) {
      return std::nullopt;
    }
    if (!sendWithTimeout(tooltip, TTM_GETTEXTW, kTooltipTextChars,
                         reinterpret_cast<LPARAM>(remoteInfo))) {
      return std::nullopt;
    }
    std::wstring text(kTooltipTextChars, L'\0');
    if (!remote.read(sizeof(TTTOOLINFOW), text.data(), textBytes)) return std::nullopt;
    text.resize(std::wcslen(text.c_str()));
    tools.push_back({info.hwnd, info.uId, std::move(text)});
  }
  return tools;
}

std::vector<std::wstring> tooltipTitles(HWND tooltip) {
  if (tooltip == nullptr || !IsWindow(tooltip)) return {};
  const std::size_t textBytes = kTooltipTextChars * sizeof(wchar_t);
  const RemoteMemory remote(tooltip, sizeof(TTGETTITLE) + textBytes);
  if (!remote.ok() || !remote.ownerSharesLayout()) return {};
  TTGETTITLE title{};
  title.dwSize = sizeof title;
  title.cch = kTooltipTextChars;
  title.pszTitle = static_cast<wchar_t*>(remote.at(sizeof(TTGETTITLE)));
  const wchar_t empty = L'\0';
  std::wstring text(kTooltipTextChars, L'\0');
  if (remote.write(0, &title, sizeof title) &&
      remote.write(sizeof(TTGETTITLE), &empty, sizeof empty) &&
      sendWithTimeout(tooltip, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(remote.at(0))) &&
      remote.read(sizeof(TTGETTITLE), text.data(), textBytes) && text[0] != L'\0') {
    text.resize(std::wcslen(text.c_str()));
    return {text};
  }

  // Wine's tooltip control answers no TTM_GETTITLE. Its state, whose address is the control's
  // first window word, holds a pointer to the title: each word of the state that points at
  // readable text gives a candidate.
  const auto state = static_cast<std::uintptr_t>(GetWindowLongPtrW(tooltip, 0));
  std::vector<std::uintptr_t> words(kTooltipStateBytes / sizeof(std::uintptr_t));
  if (state == 0 || !remote.readAt(state, words.data(), words.size() * sizeof(std::uintptr_t))) {
    return {};
  }
  std::vector<std::wstring> candidates;
  for (const std::uintptr_t word : words) {
    std::array<wchar_t, kTitleChars + 1> candidate{};
    // A short read where a long one would cross into unmapped memory.
    if (word < 0x10000 || !(remote.readAt(word, candidate.data(), kTitleChars * sizeof(wchar_t)) ||
                            remote.readAt(word, candidate.data(), 16 * sizeof(wchar_t)))) {
      continue;
    }
    const std::wstring found(candidate.data());
    if (!found.empty() && std::all_of(found.begin(), found.end(),
                                      [](wchar_t c) { return c >= L' ' && c < 0xD800; })) {
      candidates.push_back(found);
    }
  }
  return candidates;
}

std::optional<std::wstring> tabText(HWND tabs, int index) {
  if (tabs == nullptr || !IsWindow(tabs)) return std::nullopt;
  const RemoteMemory remote(tabs, sizeof(TCITEMW) + kTabTextChars * sizeof(wchar_t));
  if (!remote.ok()) return std::nullopt;
  if (remote.ownerSharesLayout()) {
    return remoteTabText<TCITEMW>(tabs, remote, index,
                                  [](void* at) { return static_cast<wchar_t*>(at); });
  }
  // A 32-bit process's memory lies below 4 GiB, so its addresses fit the 32-bit field.
  if (!remote.ownerIs32Bit() || reinterpret_cast<std::uintptr_t>(remote.at(0)) > UINT32_MAX) {
    return std::nullopt;
  }
  return remoteTabText<TabItem32>(tabs, remote, index, [](void* at) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(at));
  });
}

std::optional<RECT> tabRect(HWND tabs, int index) {
  const RemoteMemory remote(tabs, sizeof(RECT));
  RECT item{};
  if (!remote.ok() ||
      !sendWithTimeout(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(remote.at(0)))
           .value_or(0) ||
      !remote.read(0, &item, sizeof item)) {
    return std::nullopt;
  }
  return item;
}

}  // namespace e2e
