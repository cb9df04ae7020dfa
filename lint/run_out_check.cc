#include "lint/value_check.h"

namespace {

// Every row placed along the route: the general rows have no position.
bool placed_along_the_route(row_kind kind) {
  switch (kind) {
    case row_kind::gradient:
    case row_kind::speed:
    case row_kind::adhesion:
    case row_kind::curve:
    case row_kind::mountain:
    case row_kind::speed_board:
    case row_kind::indicator_board:
    case row_kind::signal:
    case row_kind::speed_cut:
    case row_kind::slowdown:
    case row_kind::station:
      return true;
    default:
      return false;
  }
}

class run_out final : public value_check {
 public:
  explicit run_out(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers& v) override {
    if (!placed_along_the_route(row.row->kind)) return;
    const std::optional<int32_t> p = v[0];
    if (!p || !c_.route_length || *p <= *c_.route_length || !c_.within_grid(*p)) return;
    c_.walk.warn_at("run-out", row.values[0],
                    "the " + quoted(row.keyword.text) + " row at " + std::to_string(*p) +
                        " m lies past the route's end at " + std::to_string(*c_.route_length) +
                        " m, in the run-out");
  }

 private:
  const value_context& c_;
};

}  // namespace

std::unique_ptr<value_check> run_out_check(const value_context& c) {
  return std::make_unique<run_out>(c);
}
