#include "lint/value_checks.h"

#include "model/grid.h"
#include "model/rounding.h"

namespace {

// Plausible values (warnings only, the compiler takes any value that fits its field).
constexpr int32_t kSteepestGradient = 60;  // per mille, either way
constexpr int32_t kFastestSpeed = 300;     // km/h, line speeds and slowdowns
constexpr int32_t kMostAdhesion = 100;
constexpr int32_t kShortestStation = 100, kLongestStation = 1500;  // metres

// The checks on the values of the rows read whole.
class value_checks {
 public:
  value_checks(file_walk& walk, std::optional<int32_t> route_length)
      : walk_(walk), route_length_(route_length) {}

  void run() {
    for (const read_row& row : walk_.rows()) {
      if (!row.sound) continue;
      std::vector<std::optional<int32_t>> v;
      for (const source_field& f : row.values) v.push_back(number_of(f));
      check_row(row, v);
    }
  }

 private:
  bool within_grid(int32_t p) const {
    if (!route_length_) return false;
    return fits_grid(last_cell_of(grid_length_of(*route_length_)), p, 0);
  }

  void off_grid(const read_row& row, size_t i, std::optional<int32_t> v, const char* what) {
    if (!v || *v % 50 == 0 || !within_grid(*v)) return;
    walk_.warn_at("off-grid", row.values[i],
                  "the " + std::string(what) + " " + std::to_string(*v) +
                      " m is off the 50 m grid: it is rounded to " +
                      std::to_string(round_even(*v / 50.0) * 50) + " m");
  }

  void run_out(const read_row& row, std::optional<int32_t> p) {
    if (!p || !route_length_ || *p <= *route_length_ || !within_grid(*p)) return;
    walk_.warn_at("run-out", row.values[0],
                  "the " + quoted(row.keyword.text) + " row at " + std::to_string(*p) +
                      " m lies past the route's end at " + std::to_string(*route_length_) +
                      " m, in the run-out");
  }

  void range(const read_row& row, size_t i, std::optional<int32_t> v, int32_t low, int32_t high,
             const std::string& what, const char* unit) {
    if (!v || (*v >= low && *v <= high)) return;
    walk_.warn_at("range", row.values[i],
                  "the " + what + " " + std::to_string(*v) + unit + " lies outside " +
                      std::to_string(low) + " to " + std::to_string(high) + unit);
  }

  // Gradient, speed and adhesion cells are filled in sequence from the last one written: a row
  // at or behind it still writes one cell, and its value starts after that.
  struct sequence {
    int64_t next_cell = 0;
    std::optional<int32_t> previous;
    int previous_line = 0;
  };

  void in_order(sequence& s, const read_row& row, std::optional<int32_t> p, const char* what) {
    if (!p || !within_grid(*p)) return;
    const int64_t cell = running_cell(*p);
    if (cell > 0) {
      do ++s.next_cell;
      while (s.next_cell < cell);
    }
    if (s.previous && (s.next_cell != cell || *p <= *s.previous))
      walk_.warn_at("row-order", row.values[0],
                    "this " + std::string(what) + " row at " + std::to_string(*p) +
                        " m is not after the one at " + std::to_string(*s.previous) + " m (line " +
                        std::to_string(s.previous_line) + "): cells are filled in order, so its " +
                        what + " applies from " + std::to_string(s.next_cell * 50) + " m on");
    s.previous = *p;
    s.previous_line = row.keyword.line;
  }

  void check_row(const read_row& row, const std::vector<std::optional<int32_t>>& v) {
    switch (row.row->kind) {
      case row_kind::gradient:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        range(row, 1, v[1], -kSteepestGradient, kSteepestGradient, "gradient", " per mille");
        in_order(gradients_, row, v[0], "gradient");
        break;
      case row_kind::speed:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        range(row, 1, v[1], 0, kFastestSpeed, "speed", " km/h");
        in_order(speeds_, row, v[0], "speed");
        break;
      case row_kind::adhesion:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        range(row, 1, v[1], 0, kMostAdhesion, "adhesion", "");
        in_order(adhesions_, row, v[0], "adhesion");
        break;
      case row_kind::curve:
        run_out(row, v[0]);
        range(row, 1, v[1], 1, INT32_MAX, "curve length", " m");
        if (v[0] && v[1]) {
          const int64_t end = int64_t{*v[0]} + *v[1];
          if (curve_end_ && *v[0] < *curve_end_)
            walk_.warn_at(
                "curve-overlap", row.values[0],
                "the curve at " + std::to_string(*v[0]) +
                    " m starts before the previous one (line " + std::to_string(curve_line_) +
                    ") ends at " + std::to_string(*curve_end_) + " m: " +
                    (end <= *curve_end_ ? std::string("the plan leaves it out")
                                        : "the plan turns it from " + std::to_string(*curve_end_) +
                                              " m to " + std::to_string(end) + " m"));
          if (!curve_end_ || end > *curve_end_) curve_end_ = end;
          curve_line_ = row.keyword.line;
        }
        break;
      case row_kind::mountain:
        off_grid(row, 0, v[0], "start");
        off_grid(row, 1, v[1], "end");
        run_out(row, v[0]);
        break;
      case row_kind::speed_board:
      case row_kind::indicator_board:
      case row_kind::signal:
      case row_kind::speed_cut:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        break;
      case row_kind::slowdown:
        off_grid(row, 0, v[0], "start");
        off_grid(row, 2, v[2], "length");
        run_out(row, v[0]);
        range(row, 1, v[1], 0, kFastestSpeed, "slowdown speed", " km/h");
        break;
      case row_kind::station:
        run_out(row, v[0]);
        range(row, 2, v[2], kShortestStation, kLongestStation, "station length", " m");
        break;
      default:
        break;
    }
    // Quotes are no syntax: they stay in the text.
    const field_spec& last = row.row->fields.back();
    if (last.text && contains(row.values.back().text, "\""))
      walk_.warn_at("text-field", row.values.back(),
                    "the quotes are kept: the " + std::string(last.name) + " reads " +
                        quoted(row.values.back().text));
  }

  file_walk& walk_;
  std::optional<int32_t> route_length_;
  sequence gradients_, speeds_, adhesions_;
  std::optional<int64_t> curve_end_;
  int curve_line_ = 0;
};

}  // namespace

void check_values(file_walk& walk, std::optional<int32_t> route_length) {
  value_checks(walk, route_length).run();
}
