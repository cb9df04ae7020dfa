#include "platform/file_stamp.h"

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
  s.device = static_cast<uint64_t>(st.st_dev);
  s.inode = static_cast<uint64_t>(st.st_ino);
  s.size = static_cast<long long>(st.st_size);
  s.modified_ns = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  s.changed_ns = static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
  return s;
}
