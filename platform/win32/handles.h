#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace platform::win32 {

// Owned Win32 handles: each frees its handle with the one call that matches it.
template <typename Handle, auto Free>
struct HandleDeleter {
  using pointer = Handle;
  void operator()(Handle h) const noexcept {
    if (h != nullptr) Free(h);
  }
};

template <typename Handle, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Free>>;

inline void deleteGdiObject(HGDIOBJ h) noexcept { DeleteObject(h); }
inline void destroyIcon(HICON h) noexcept { DestroyIcon(h); }
inline void destroyMenu(HMENU h) noexcept { DestroyMenu(h); }
inline void destroyWindow(HWND h) noexcept { DestroyWindow(h); }

using OwnedFont = Owned<HFONT, deleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, deleteGdiObject>;
using OwnedIcon = Owned<HICON, destroyIcon>;
using OwnedMenu = Owned<HMENU, destroyMenu>;
using OwnedWindow = Owned<HWND, destroyWindow>;

// A device context borrowed from a window for the scope, with one object selected into it.
class WindowDc {
 public:
  WindowDc(HWND window, HGDIOBJ selected) : window_(window), dc_(GetDC(window)) {
    previous_ = SelectObject(dc_, selected);
  }
  ~WindowDc() {
    SelectObject(dc_, previous_);
    ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace platform::win32
