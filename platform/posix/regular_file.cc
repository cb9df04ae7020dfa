#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

regular_file_read read_regular_file(const std::string& path, uint64_t limit) {
  regular_file_read f;
  // Non-blocking, so that opening a FIFO with no writer returns at once; it is refused below.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) f.kind = file_kind::missing;
    f.error = std::strerror(errno);
    return f;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    f.error = std::strerror(errno);
    close(fd);
    return f;
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    f.kind = S_ISDIR(st.st_mode)                         ? file_kind::folder
             : S_ISFIFO(st.st_mode)                      ? file_kind::fifo
             : S_ISSOCK(st.st_mode)                      ? file_kind::socket
             : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? file_kind::device
                                                          : file_kind::other;
    return f;
  }
  f.kind = file_kind::regular;
  if (static_cast<uint64_t>(st.st_size) > limit) {
    close(fd);
    f.too_large = true;
    return f;
  }
  f.bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      f.error = std::strerror(errno);
      close(fd);
      f.bytes = {};
      return f;
    }
    if (n == 0) break;
    // A file that grows while it is read is held to the same bound.
    if (f.bytes.size() + static_cast<size_t>(n) > limit) {
      close(fd);
      f.bytes = {};
      f.too_large = true;
      return f;
    }
    f.bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  f.ok = true;
  return f;
}
