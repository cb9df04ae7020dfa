#include "preview/source_watch.h"

#include <sys/stat.h>

#include <cerrno>

file_stamp stamp_of(const std::string& path) {
  file_stamp s;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) {
    if (errno != ENOENT && errno != ENOTDIR) s.error = errno;
    return s;
  }
  s.what = S_ISREG(st.st_mode)   ? file_stamp::kind::regular
           : S_ISDIR(st.st_mode) ? file_stamp::kind::folder
                                 : file_stamp::kind::other;
  s.device = st.st_dev;
  s.inode = st.st_ino;
  s.size = st.st_size;
  s.modified_ns = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  s.changed_ns = static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
  return s;
}

source_watch::source_watch(std::vector<std::string> paths, clock::duration settle)
    : paths_(std::move(paths)), settle_(settle) {
  for (const std::string& p : paths_) stamps_.push_back(stamp_of(p));
}

bool source_watch::poll(clock::time_point now) {
  for (size_t i = 0; i < paths_.size(); ++i) {
    file_stamp s = stamp_of(paths_[i]);
    if (s == stamps_[i]) continue;
    stamps_[i] = s;
    pending_ = true;
    last_change_ = now;
  }
  if (!pending_ || now - last_change_ < settle_) return false;
  pending_ = false;
  return true;
}
