#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace platform::win32 {

// A menu's modal loop ends only once the timer handler running inside it returns, and until then
// the menu holds the mouse: a sound or box that blocked there would sit under it, out of reach.
// Such calls end the menu instead and run, in order, once its loop has ended. A timer looks for
// that end, so nothing spins while a menu stays open and no lost message leaves calls waiting.
class AfterMenus {
 public:
  // A timer of the owner window, apart from the controls' identifiers.
  static constexpr UINT_PTR kRetryTimer = 1;

  void setOwner(HWND owner) { owner_ = owner; }
  // `meanwhile` stands in for the result of a call that has to wait.
  template <typename Call, typename Result>
  Result run(Call call, Result meanwhile) {
    if (waiting_.empty() && !menuOpen()) return call();
    defer([call = std::move(call)] { call(); });
    return meanwhile;
  }
  void onRetryTimer();

 private:
  static bool menuOpen();
  void defer(std::function<void()> call);
  void runWaiting();

  HWND owner_ = nullptr;
  std::vector<std::function<void()>> waiting_;
};

}  // namespace platform::win32
