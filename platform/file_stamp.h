// What the system tells of a path, enough to see that it changed: a write changes the size or
// the time, an editor's rename-over save changes the file's identity, a delete and a re-create
// change whether it is there.
#pragma once

#include <cstdint>
#include <string>

struct file_stamp {
  enum class kind { missing, regular, folder, other };
  kind what = kind::missing;
  int error = 0;  // the system's code when the look failed for a reason other than absence
  uint64_t device = 0;
  uint64_t inode = 0;
  long long size = 0;
  long long modified_ns = 0;
  long long changed_ns = 0;  // the inode's change time: a chmod makes a file (un)readable

  bool operator==(const file_stamp&) const = default;
};

file_stamp stamp_of(const std::string& path);
