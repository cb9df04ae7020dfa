#include "preview/source_watch.h"

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
