#include "model/route_model.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Sets every field through its table to 1, 2, 3, ... in table order.
template <class Record, class Table>
Record numbered(const Table& table) {
  Record r;
  int n = 0;
  for_each_field(table, [&](const auto& f) {
    ++n;
    if constexpr (is_text_field<decltype(f)>)
      r.*f.member = std::to_string(n);
    else
      r.*f.member = static_cast<typename std::remove_cvref_t<decltype(f)>::value_type>(n);
  });
  return r;
}

// The tables name every member once, in the order the struct declares them (the file order).
TEST(FieldTables, CoverEveryMemberInDeclarationOrder) {
  EXPECT_EQ(numbered<track_cell>(track_cell_fields),
            (track_cell{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(numbered<scenario_record>(scenario_record_fields),
            (scenario_record{1, 2, 3, 4, 5, "6", 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(fixed_size(track_cell_fields), 15u);
}

}  // namespace

// The plan's arrays are value-initialised by memory that comes zeroed, not by a fill: a plan
// created again, small (plain allocation) or long (mapped in huge pages), holds no old value.
TEST(RoutePlanTable, CreatedAgainHoldsOnlyEmptyEntries) {
  for (int32_t upper : {10, 100000}) {
    route_plan_table plan;
    plan.create(upper);
    for (int32_t m = 0; m <= upper; ++m) plan.set_double(m, 1, 1.5 * m + 1);
    plan.create(upper);
    ASSERT_EQ(plan.entry_count(), 2 * (static_cast<size_t>(upper) + 1));
    for (size_t i = 0; i < plan.entry_count(); ++i)
      ASSERT_EQ(plan.get(static_cast<int32_t>(i % (upper + 1)), static_cast<int>(i / (upper + 1))),
                variant_entry{})
          << "upper " << upper << ", entry " << i;
  }
}
