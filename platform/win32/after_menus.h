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
  // Runs `call` now, or, while a menu is open or calls still wait for one to close, ends
  // the menu and runs it once the menu has closed, after those already waiting; `meanwhile`
  // then stands in for its result.
  template <typename Call, typename Result>
  Result run(Call call, Result meanwhile) {
    if (waiting_.empty() && !menuOpen()) return call();
    defer([call = std::move(call)] { call(); });
    return meanwhile;
  }
  // On kRetryTimer.
  void onRetryTimer();

 private:
  static bool menuOpen();
  void defer(std::function<void()> call);
  void runWaiting();

  HWND owner_ = nullptr;
  std::vector<std::function<void()>> waiting_;
};

}  // namespace platform::win32
