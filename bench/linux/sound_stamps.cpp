// The sound sink's reader for the alarm benchmark: ALSA's file plugin pipes each playback into a
// fresh copy of it. It appends what it reads to the capture file, as `cat >>` would, and stamps
// each read with CLOCK_REALTIME, which is the Windows system time under Wine. One line per read:
//   <ns since 1970> <capture offset> <bytes> <first non-silent byte or -1> <last one or -1>
// Silence is zero bytes: the sounds are 16-bit PCM.
//
// usage: sound_stamps STAMPS CAPTURE
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <ctime>

namespace {

long long realtimeNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

bool writeAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, static_cast<size_t>(size));
    if (written <= 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: sound_stamps STAMPS CAPTURE\n", stderr);
    return 2;
  }
  std::FILE* stamps = std::fopen(argv[1], "a");
  const int capture = open(argv[2], O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (stamps == nullptr || capture < 0) {
    std::perror("sound_stamps");
    return 1;
  }
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const ssize_t size = read(STDIN_FILENO, buffer.data(), buffer.size());
    const long long at = realtimeNs();
    if (size <= 0) break;
    struct stat before {};
    fstat(capture, &before);
    if (!writeAll(capture, buffer.data(), size)) return 1;
    long long first = -1;
    long long last = -1;
    for (ssize_t i = 0; i < size; ++i) {
      if (buffer[static_cast<size_t>(i)] == 0) continue;
      if (first < 0) first = i;
      last = i;
    }
    std::fprintf(stamps, "%lld %lld %lld %lld %lld\n", at, static_cast<long long>(before.st_size),
                 static_cast<long long>(size), first, last);
    std::fflush(stamps);
  }
  return 0;
}
