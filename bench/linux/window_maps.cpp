// The box watcher for the alarm benchmark: an X client that logs each top-level window the X
// server maps, stamped with CLOCK_REALTIME (the Windows system time under Wine) as the event
// arrives, with the process id Wine gives the window (_NET_WM_PID) and its title. It waits for
// events and never polls, so it costs the programs nothing. One line per MapNotify:
//   <ns since 1970> <pid or 0> <title>
// The log file is created once the watch is on; it runs until it is ended.
//
// usage: window_maps LOG     (the display from $DISPLAY)
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <ctime>

namespace {

long long realtimeNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

unsigned long windowPid(Display* display, Window window, Atom pidAtom) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  unsigned long pid = 0;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr) {
    if (type == XA_CARDINAL && format == 32 && count == 1) {
      pid = *reinterpret_cast<unsigned long*>(data);
    }
    XFree(data);
  }
  return pid;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: window_maps LOG\n", stderr);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("window_maps: cannot open the display\n", stderr);
    return 1;
  }
  const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  std::FILE* log = std::fopen(argv[1], "a");
  if (log == nullptr) {
    std::perror("window_maps");
    return 1;
  }
  for (;;) {
    XEvent event{};
    XNextEvent(display, &event);
    const long long at = realtimeNs();
    if (event.type != MapNotify) continue;
    char* title = nullptr;
    XFetchName(display, event.xmap.window, &title);
    std::fprintf(log, "%lld %lu %s\n", at, windowPid(display, event.xmap.window, pidAtom),
                 title != nullptr ? title : "");
    std::fflush(log);
    if (title != nullptr) XFree(title);
  }
}
