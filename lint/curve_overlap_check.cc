#include "lint/value_check.h"

namespace {

class curve_overlap final : public value_check {
 public:
  explicit curve_overlap(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers& v) override {
    if (row.row->kind != row_kind::curve || !v[0] || !v[1]) return;
    const int64_t end = int64_t{*v[0]} + *v[1];
    if (curve_end_ && *v[0] < *curve_end_)
      c_.walk.warn_at("curve-overlap", row.values[0],
                      "the curve at " + std::to_string(*v[0]) +
                          " m starts before the previous one (line " + std::to_string(curve_line_) +
                          ") ends at " + std::to_string(*curve_end_) + " m: " +
                          (end <= *curve_end_
                               ? std::string("the plan leaves it out")
                               : "the plan turns it from " + std::to_string(*curve_end_) +
                                     " m to " + std::to_string(end) + " m"));
    if (!curve_end_ || end > *curve_end_) curve_end_ = end;
    curve_line_ = row.keyword.line;
  }

 private:
  const value_context& c_;
  std::optional<int64_t> curve_end_;  // the furthest end of the curves so far
  int curve_line_ = 0;                // the line of the last curve read
};

}  // namespace

std::unique_ptr<value_check> curve_overlap_check(const value_context& c) {
  return std::make_unique<curve_overlap>(c);
}
