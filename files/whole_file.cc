#include "files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

const char* kind_of(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a FIFO, not a regular file";
  if (S_ISSOCK(mode)) return "it is a socket, not a regular file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a regular file";
  return "it is not a regular file";
}

std::string too_large(uint64_t limit) {
  return "it is larger than " + std::to_string(limit) +
         " bytes, the most a file of its kind may take";
}

}  // namespace

whole_file read_whole_file(const std::string& path, uint64_t limit) {
  whole_file f;
  // Non-blocking, so that opening a FIFO with no writer returns at once; it is refused below.
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    f.missing = errno == ENOENT;
    f.reason = std::strerror(errno);
    return f;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    f.reason = std::strerror(errno);
    close(fd);
    return f;
  }
  if (!S_ISREG(st.st_mode)) {
    close(fd);
    f.reason = kind_of(st.st_mode);
    return f;
  }
  if (static_cast<uint64_t>(st.st_size) > limit) {
    close(fd);
    f.reason = too_large(limit);
    return f;
  }
  f.bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      f.reason = std::strerror(errno);
      close(fd);
      f.bytes = {};
      return f;
    }
    if (n == 0) break;
    // A file that grows while it is read is held to the same bound.
    if (f.bytes.size() + static_cast<size_t>(n) > limit) {
      close(fd);
      f.bytes = {};
      f.reason = too_large(limit);
      return f;
    }
    f.bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  f.ok = true;
  return f;
}
