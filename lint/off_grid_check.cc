#include "lint/value_check.h"
#include "model/grid.h"
#include "model/rounding.h"

namespace {

// Where the compiler puts what a row places, in metres, by the compiler's own rounding: a
// running value or a speed cut from its cell's start, a point object (a board, a signal, a
// slowdown's start and end) at the start of the cell before its own, as inspect tells them.
int64_t running_metre(int32_t p) { return running_cell(p) * kCellMetres; }
int64_t point_metre(int64_t cell) { return (cell - 1) * kCellMetres; }

class off_grid final : public value_check {
 public:
  explicit off_grid(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers& v) override {
    switch (row.row->kind) {
      case row_kind::gradient:
      case row_kind::speed:
      case row_kind::adhesion:
      case row_kind::speed_cut:
        if (v[0]) warn_off(row.values[0], "position", *v[0], running_metre(*v[0]));
        break;
      case row_kind::speed_board:
      case row_kind::indicator_board:
      case row_kind::signal:
        if (v[0]) warn_off(row.values[0], "position", *v[0], point_metre(point_cell(*v[0])));
        break;
      case row_kind::mountain:
        // It covers the cells from its start's to the one before its end's.
        if (v[0]) warn_off(row.values[0], "start", *v[0], first_mountain_cell(*v[0]) * kCellMetres);
        if (v[1])
          warn_off(row.values[1], "end", *v[1], (last_mountain_cell(*v[1]) + 1) * kCellMetres);
        break;
      case row_kind::slowdown:
        if (v[0]) warn_off(row.values[0], "start", *v[0], point_metre(point_cell(*v[0])));
        // The end is placed from the start and the length added, unrounded.
        if (v[0] && v[2]) {
          const int64_t end = int64_t{*v[0]} + *v[2];
          if (end >= INT32_MIN && end <= INT32_MAX)
            warn_off(row.values[2], "end (start plus length)", static_cast<int32_t>(end),
                     point_metre(slowdown_end_cell(*v[0], *v[2])));
        }
        break;
      default:
        break;
    }
  }

 private:
  void warn_off(const source_field& at, const char* what, int32_t metres, int64_t placed) {
    if (metres % kCellMetres == 0 || !c_.within_grid(metres)) return;
    c_.walk.warn_at("off-grid", at,
                    "the " + std::string(what) + " " + std::to_string(metres) +
                        " m is off the 50 m grid: it is rounded to " + std::to_string(placed) +
                        " m");
  }

  const value_context& c_;
};

}  // namespace

std::unique_ptr<value_check> off_grid_check(const value_context& c) {
  return std::make_unique<off_grid>(c);
}
