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
  if (waiting_.empty()) {
    EndMenu();
    PostMessageW(owner_, kRunMessage, 0, 0);
  }
  waiting_.push_back(std::move(call));
}

void AfterMenus::runWaiting() {
  if (menuOpen()) {
    // Posted before the menu's loop saw the end: come back once it has.
    PostMessageW(owner_, kRunMessage, 0, 0);
    return;
  }
  auto calls = std::exchange(waiting_, {});
  for (auto& call : calls) call();
}

}  // namespace platform::win32
