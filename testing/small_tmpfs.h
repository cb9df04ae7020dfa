// A small tmpfs mounted over a private folder, for tests of a full or read-only disk.
// Mounting needs root on Linux; where it is refused, or on a system without tmpfs (Windows),
// `mounted()` is false and the test skips.
#pragma once

#ifdef __linux__
#include <sys/mount.h>
#endif

#include <string>

#include "testing/temp_folder.h"

class small_tmpfs {
 public:
  explicit small_tmpfs(const std::string& size = "64k") {
#ifdef __linux__
    std::string options = "size=" + size;
    mounted_ = mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
#else
    (void)size;
#endif
  }
  ~small_tmpfs() {
#ifdef __linux__
    if (mounted_) umount2(folder_.path().c_str(), MNT_DETACH);
#endif
  }
  bool mounted() const { return mounted_; }
  bool make_read_only() {
#ifdef __linux__
    return mount(nullptr, folder_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
#else
    return false;
#endif
  }
  const std::string& path() const { return folder_.path(); }
  std::string file(const std::string& name) const { return folder_.file(name); }

 private:
  temp_folder folder_;
  bool mounted_ = false;
};
