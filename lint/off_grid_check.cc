#include "lint/value_check.h"
#include "model/rounding.h"

namespace {

class off_grid final : public value_check {
 public:
  explicit off_grid(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers& v) override {
    switch (row.row->kind) {
      case row_kind::gradient:
      case row_kind::speed:
      case row_kind::adhesion:
      case row_kind::speed_board:
      case row_kind::indicator_board:
      case row_kind::signal:
      case row_kind::speed_cut:
        warn_off(row, v, 0, "position");
        break;
      case row_kind::mountain:
        warn_off(row, v, 0, "start");
        warn_off(row, v, 1, "end");
        break;
      case row_kind::slowdown:
        warn_off(row, v, 0, "start");
        warn_off(row, v, 2, "length");
        break;
      default:
        break;
    }
  }

 private:
  void warn_off(const read_row& row, const row_numbers& v, size_t i, const char* what) {
    if (!v[i] || *v[i] % 50 == 0 || !c_.within_grid(*v[i])) return;
    c_.walk.warn_at("off-grid", row.values[i],
                    "the " + std::string(what) + " " + std::to_string(*v[i]) +
                        " m is off the 50 m grid: it is rounded to " +
                        std::to_string(round_even(*v[i] / 50.0) * 50) + " m");
  }

  const value_context& c_;
};

}  // namespace

std::unique_ptr<value_check> off_grid_check(const value_context& c) {
  return std::make_unique<off_grid>(c);
}
