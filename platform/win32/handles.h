#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace platform::win32 {

template <typename Handle, auto Free>
struct HandleDeleter {
  using pointer = Handle;
  void operator()(Handle h) const noexcept {
    if (h != nullptr) Free(h);
  }
};

template <typename Handle, auto Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Free>>;

using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedBrush = Owned<HBRUSH, DeleteObject>;
using OwnedIcon = Owned<HICON, DestroyIcon>;
using OwnedMenu = Owned<HMENU, DestroyMenu>;
using OwnedWindow = Owned<HWND, DestroyWindow>;

// Unregistered when its owner ends, which must come after the windows of the class are gone.
class OwnedWindowClass {
 public:
  OwnedWindowClass() = default;
  explicit OwnedWindowClass(const WNDCLASSEXW& windowClass)
      : atom_(RegisterClassExW(&windowClass)), instance_(windowClass.hInstance) {}
  ~OwnedWindowClass() {
    if (atom_ != 0) UnregisterClassW(MAKEINTATOM(atom_), instance_);
  }
  OwnedWindowClass(const OwnedWindowClass&) = delete;
  OwnedWindowClass& operator=(OwnedWindowClass&& other) noexcept {
    std::swap(atom_, other.atom_);
    std::swap(instance_, other.instance_);
    return *this;
  }
  explicit operator bool() const { return atom_ != 0; }

 private:
  ATOM atom_ = 0;
  HINSTANCE instance_ = nullptr;
};

// Borrowed from `window`, or the screen for nullptr.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// A selection that failed (a null object, a null device context) leaves nothing to restore.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace platform::win32
