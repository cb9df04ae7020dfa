#include "platform/native_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

int fd_of(native_file file) { return static_cast<int>(file); }

}  // namespace

// Mode 0666: the process's file-creation mask shapes the file as it shapes any new file.
native_file create_new_file(const std::string& path, bool& exists, std::string& error) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  exists = fd < 0 && errno == EEXIST;
  if (fd < 0) error = std::strerror(errno);
  return fd;
}

std::string write_native_file(native_file file, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd_of(file), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::strerror(errno);
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return {};
}

std::string flush_native_file(native_file file) {
  return fsync(fd_of(file)) == 0 ? std::string() : std::strerror(errno);
}

std::string close_native_file(native_file file) {
  return close(fd_of(file)) == 0 ? std::string() : std::strerror(errno);
}

std::string rename_over(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? std::string() : std::strerror(errno);
}

void remove_file_now(const char* path) { unlink(path); }

void sync_folder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

std::string folder_write_refusal(const std::string& folder) {
  return access(folder.c_str(), W_OK) == 0 ? std::string() : std::strerror(errno);
}

// flock on the folder itself, so no lock file is left behind.
native_file lock_folder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return no_native_file;
  while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
  return fd;
}

void unlock_folder(native_file lock) {
  if (lock != no_native_file) close(fd_of(lock));
}
