// The line's own kilometre marks along a route, from its kilometre progressives: from each
// progressive's start on, the mark is its value plus the metres beyond the start; before the
// first, and on a route without progressives, the mark is the metre from the route's start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>


struct progressive_mark {
  int32_t start = 0;  // the route position from which the progressive applies
  int32_t value = 0;  // the line's kilometre there, in metres
  int flag = 0;
};

// "12.350" from 12350 metres.
std::string kilometres(double metres);

class kilometre_marks {
 public:
  kilometre_marks() = default;  // no progressives: the marks count from the route's start
  explicit kilometre_marks(const progressive_mark (&progressives)[3]);

  // The mark at `metre`, in metres.
  double at(double metre) const;
  // "12.350", the mark at `metre` in kilometres
  std::string text(double metre) const { return kilometres(at(metre)); }
  bool from_progressives() const { return !progressives_.empty(); }

 private:
  std::vector<progressive_mark> progressives_;  // the ones given, smallest start first
};
