#include "lint/value_check.h"

namespace {

// Quotes are no syntax in a text field: they stay in the text, and the simulator shows them.
class kept_quotes final : public value_check {
 public:
  explicit kept_quotes(const value_context& c) : c_(c) {}

  void check(const read_row& row, const row_numbers&) override {
    const field_spec& last = row.row->fields.back();
    if (!last.text || !contains(row.values.back().text, "\"")) return;
    c_.walk.warn_at("text-field", row.values.back(),
                    "the quotes are kept: the " + std::string(last.name) + " reads " +
                        quoted(row.values.back().text));
  }

 private:
  const value_context& c_;
};

}  // namespace

std::unique_ptr<value_check> kept_quotes_check(const value_context& c) {
  return std::make_unique<kept_quotes>(c);
}
