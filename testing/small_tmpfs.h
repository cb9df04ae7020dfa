// A small tmpfs mounted over a private folder, for tests of a full or read-only disk.
// Mounting needs root; where it is refused, `mounted()` is false and the test skips.
#pragma once

#include <sys/mount.h>

#include <string>

#include "testing/temp_folder.h"

class small_tmpfs {
 public:
  explicit small_tmpfs(const std::string& size = "64k") {
    std::string options = "size=" + size;
    mounted_ = mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~small_tmpfs() {
    if (mounted_) umount2(folder_.path().c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  bool make_read_only() {
    return mount(nullptr, folder_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  const std::string& path() const { return folder_.path(); }
  std::string file(const std::string& name) const { return folder_.file(name); }

 private:
  temp_folder folder_;
  bool mounted_ = false;
};
