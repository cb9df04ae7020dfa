#include "platform/file_kind.h"

#include <sys/stat.h>

#include <cerrno>

namespace {

file_kind kind_of_mode(mode_t mode) {
  if (S_ISREG(mode)) return file_kind::regular;
  if (S_ISDIR(mode)) return file_kind::folder;
  if (S_ISFIFO(mode)) return file_kind::fifo;
  if (S_ISSOCK(mode)) return file_kind::socket;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return file_kind::device;
  return file_kind::other;
}

file_kind kind_or_absence(int result, const struct stat& st) {
  if (result == 0) return kind_of_mode(st.st_mode);
  return errno == ENOENT || errno == ENOTDIR ? file_kind::missing : file_kind::unknown;
}

}  // namespace

file_kind kind_of_file(const std::string& path) {
  struct stat st;
  return kind_or_absence(stat(path.c_str(), &st), st);
}

file_kind kind_of_entry(const std::string& path) {
  struct stat st;
  return kind_or_absence(lstat(path.c_str(), &st), st);
}

