#include "lint/value_check.h"
#include "model/rounding.h"

namespace {

// Gradient, speed and adhesion cells are filled in sequence from the last one written: a row
// at or behind it still writes one cell, and its value starts after that.
struct sequence {
  int64_t next_cell = 0;
  std::optional<int32_t> previous;
  int previous_line = 0;
};

class row_order final : public value_check {
 public:
  explicit row_order(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers& v) override {
    switch (row.row->kind) {
      case row_kind::gradient: in_order(gradients_, row, v[0], "gradient"); break;
      case row_kind::speed: in_order(speeds_, row, v[0], "speed"); break;
      case row_kind::adhesion: in_order(adhesions_, row, v[0], "adhesion"); break;
      default: break;
    }
  }

 private:
  void in_order(sequence& s, const read_row& row, std::optional<int32_t> p, const char* what) {
    if (!p || !c_.within_grid(*p)) return;
    const int64_t cell = running_cell(*p);
    if (cell > 0) {
      do ++s.next_cell;
      while (s.next_cell < cell);
    }
    if (s.previous && (s.next_cell != cell || *p <= *s.previous))
      c_.walk.warn_at("row-order", row.values[0],
                      "this " + std::string(what) + " row at " + std::to_string(*p) +
                          " m is not after the one at " + std::to_string(*s.previous) +
                          " m (line " + std::to_string(s.previous_line) +
                          "): cells are filled in order, so its " + what + " applies from " +
                          std::to_string(s.next_cell * 50) + " m on");
    s.previous = *p;
    s.previous_line = row.keyword.line;
  }

  const value_context& c_;
  sequence gradients_, speeds_, adhesions_;
};

}  // namespace

std::unique_ptr<value_check> row_order_check(const value_context& c) {
  return std::make_unique<row_order>(c);
}
