#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

std::string errno_text(int err) { return std::strerror(err); }

mode_t file_mode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

atomic_file::atomic_file(std::string path) : path_(std::move(path)) {
  std::filesystem::path p(path_);
  std::string folder = p.parent_path().string();
  std::string temp = (folder.empty() ? std::string() : folder + "/") + "." +
                     p.filename().string() + ".XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  fd_ = mkstemp(name.data());
  if (fd_ < 0) {
    int err = errno;
    throw write_failure(path_, errno_text(err));
  }
  temp_ = name.data();
  fchmod(fd_, file_mode());
}

atomic_file::~atomic_file() {
  if (fd_ >= 0) close(fd_);
  if (!temp_.empty()) unlink(temp_.c_str());
}

void atomic_file::fail(const std::string& reason) {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temp_.empty()) unlink(temp_.c_str());
  temp_.clear();
  throw write_failure(path_, reason);
}

void atomic_file::write(std::string_view bytes) {
  if (fd_ < 0) throw write_failure(path_, "file is closed");
  while (!bytes.empty()) {
    ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno_text(errno));
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

void atomic_file::commit() {
  if (fd_ < 0) throw write_failure(path_, "file is closed");
  int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) {
    int err = errno;
    fail(errno_text(err));
  }
  if (std::rename(temp_.c_str(), path_.c_str()) != 0) {
    int err = errno;
    fail(errno_text(err));
  }
  temp_.clear();
}

void replace_file(const std::string& path, std::string_view bytes) {
  atomic_file f(path);
  f.write(bytes);
  f.commit();
}
