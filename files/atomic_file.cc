#include "files/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace {

std::string errno_text(int err) { return std::strerror(err); }

// A fresh name beside the target: "." + its name + "." + six random letters or digits.
std::string temporary_name(const std::string& folder, const std::string& name) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  std::string temp = (folder.empty() ? std::string() : folder + "/") + "." + name + ".";
  for (int i = 0; i < 6; ++i) temp += kLetters[pick(random)];
  return temp;
}

}  // namespace

// The temporary file is made with mode 0666, so the process's file-creation mask shapes it as
// it shapes any new file, and the mask itself is never changed.
atomic_file::atomic_file(std::string path) : path_(std::move(path)) {
  std::filesystem::path p(path_);
  std::string folder = p.parent_path().string();
  std::string name = p.filename().string();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temp = temporary_name(folder, name);
    fd_ = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temp_ = temp;
      return;
    }
    if (errno != EEXIST) break;
  }
  int err = errno;
  throw write_failure(path_, errno_text(err));
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
