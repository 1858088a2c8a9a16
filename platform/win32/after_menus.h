#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace platform::win32 {

// A menu's modal loop only ends once the handler that a timer ran inside it
// returns, and until then the menu holds the mouse: a sound or box that blocks
// meanwhile would sit under it, out of reach. Such calls end the menu instead
// and run, in order, as soon as its loop has ended. A timer looks for that end,
// so nothing spins while a menu stays open and no lost message can leave the
// calls waiting for ever.
class AfterMenus {
 public:
  // A window timer of `owner`, apart from the controls' identifiers.
  static constexpr UINT_PTR kRetryTimer = 1;

  void setOwner(HWND owner) { owner_ = owner; }
  // While a menu is open, or calls still wait for one to close, a blocking call must wait too.
  bool mustWait() const { return !waiting_.empty() || menuOpen(); }
  // Ends the open menu; `call` runs once the menu has closed, after those already waiting.
  void defer(std::function<void()> call);
  // On kRetryTimer.
  void onRetryTimer();

 private:
  static bool menuOpen();
  void runWaiting();

  HWND owner_ = nullptr;
  std::vector<std::function<void()>> waiting_;
};

}  // namespace platform::win32
