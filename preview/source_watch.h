// Watching the author's source files for saves by polling what stat tells of each: a write
// changes the size or the time, an editor's rename-over save changes the inode, a delete and a
// re-create change whether it is there. A burst of saves is one change, due once the files
// have been still for the settle time.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include "platform/file_stamp.h"

class source_watch {
 public:
  using clock = std::chrono::steady_clock;

  // Stamps the paths now: what they hold now is what the first compile sees.
  source_watch(std::vector<std::string> paths, clock::duration settle);

  // Looks at the files at `now` (a time from `clock`); true once they changed and have then
  // been still for the settle time. Each burst of changes is due once.
  bool poll(clock::time_point now);

 private:
  std::vector<std::string> paths_;
  std::vector<file_stamp> stamps_;
  clock::duration settle_;
  bool pending_ = false;
  clock::time_point last_change_;
};
