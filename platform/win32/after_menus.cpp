#include "platform/win32/after_menus.h"

#include <utility>

namespace platform::win32 {

bool AfterMenus::menuOpen() {
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  return GetGUIThreadInfo(GetCurrentThreadId(), &thread) != FALSE &&
         (thread.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
}

void AfterMenus::defer(std::function<void()> call) {
  constexpr UINT kRetryMs = 10;
  waiting_.push_back(std::move(call));
  EndMenu();
  if (waiting_.size() > 1) return;  // the timer already looks
  // Without a timer nothing would ever run them: better under the menu than never.
  if (SetTimer(owner_, kRetryTimer, kRetryMs, nullptr) == 0) runWaiting();
}

void AfterMenus::onRetryTimer() {
  if (menuOpen()) return;
  KillTimer(owner_, kRetryTimer);
  runWaiting();
}

// A call may block in a modal loop; calls asked for meanwhile start afresh.
void AfterMenus::runWaiting() {
  auto calls = std::exchange(waiting_, {});
  for (auto& call : calls) call();
}

}  // namespace platform::win32
