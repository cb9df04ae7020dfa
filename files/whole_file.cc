#include "files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

whole_file read_whole_file(const std::string& path) {
  whole_file f;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    f.missing = errno == ENOENT;
    f.reason = std::strerror(errno);
    return f;
  }
  struct stat st;
  if (fstat(fd, &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      close(fd);
      f.reason = "it is a folder";
      return f;
    }
    if (S_ISREG(st.st_mode)) f.bytes.reserve(static_cast<size_t>(st.st_size));
  }
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      f.reason = std::strerror(errno);
      close(fd);
      f.bytes.clear();
      return f;
    }
    if (n == 0) break;
    f.bytes.append(buffer, static_cast<size_t>(n));
  }
  close(fd);
  f.ok = true;
  return f;
}
