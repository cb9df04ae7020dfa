#include <climits>

#include "lint/value_check.h"

namespace {

// Plausible values: warnings only, the compiler takes any value that fits its field.
constexpr int32_t kSteepestGradient = 60;  // per mille, either way
constexpr int32_t kFastestSpeed = 300;     // km/h, line speeds and slowdowns
constexpr int32_t kMostAdhesion = 100;
constexpr int32_t kShortestStation = 100, kLongestStation = 1500;  // metres

class value_range final : public value_check {
 public:
  explicit value_range(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers& v) override {
    switch (row.row->kind) {
      case row_kind::gradient:
        warn_outside(row, v, 1, -kSteepestGradient, kSteepestGradient, "gradient", " per mille");
        break;
      case row_kind::speed:
        warn_outside(row, v, 1, 0, kFastestSpeed, "speed", " km/h");
        break;
      case row_kind::adhesion:
        warn_outside(row, v, 1, 0, kMostAdhesion, "adhesion", "");
        break;
      case row_kind::curve:
        warn_outside(row, v, 1, 1, INT32_MAX, "curve length", " m");
        break;
      case row_kind::slowdown:
        warn_outside(row, v, 1, 0, kFastestSpeed, "slowdown speed", " km/h");
        break;
      case row_kind::station:
        warn_outside(row, v, 2, kShortestStation, kLongestStation, "station length", " m");
        break;
      default:
        break;
    }
  }

 private:
  void warn_outside(const read_row& row, const row_numbers& v, size_t i, int32_t low,
                    int32_t high, const char* what, const char* unit) {
    if (!v[i] || (*v[i] >= low && *v[i] <= high)) return;
    c_.walk.warn_at("range", row.values[i],
                    "the " + std::string(what) + " " + std::to_string(*v[i]) + unit +
                        " lies outside " + std::to_string(low) + " to " + std::to_string(high) +
                        unit);
  }

  const value_context& c_;
};

}  // namespace

std::unique_ptr<value_check> range_check(const value_context& c) {
  return std::make_unique<value_range>(c);
}
