#include "lint/value_check.h"

namespace {

// A curve's class is one digit 1 to 6 in its keyword; the compiler takes the smallest such
// digit it finds, so "curvad1000", written for a radius, is a curve of class 1.
class curve_class final : public value_check {
 public:
  explicit curve_class(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers&) override {
    if (row.row->kind != row_kind::curve) return;
    const std::string& keyword = row.keyword.text;
    std::string digits;
    for (char ch : keyword)
      if (ch >= '0' && ch <= '9') digits += ch;
    if (digits.size() <= 1) return;
    size_t taken = std::size(kCurveClasses);
    for (size_t k = 0; k < std::size(kCurveClasses) && taken == std::size(kCurveClasses); ++k)
      if (contains(keyword, kCurveClasses[k])) taken = k;
    // No class at all: the compiler stops there with its own error.
    if (taken == std::size(kCurveClasses)) return;
    c_.walk.warn_at("curve-class", row.keyword,
                    "the curve keyword " + quoted(keyword) + " holds the digits " +
                        quoted(digits) + ", but a class is one digit 1 to 6: the compiler takes " +
                        "class " + std::string(kCurveClasses[taken]) + " (radius " +
                        std::to_string(kCurveRadii[taken]) +
                        " m), the smallest it finds; for a radius, write the class that comes "
                        "closest");
  }

 private:
  const value_context& c_;
};

}  // namespace

std::unique_ptr<value_check> curve_class_check(const value_context& c) {
  return std::make_unique<curve_class>(c);
}
