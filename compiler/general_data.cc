// The general section of the line file: route length and grid, kilometre progressives,
// backgrounds and signal repetition.
#include <string>

#include "form1/form1.h"
#include "files/keywords.h"

bool Form1::read_general_phase() {
  while (!input_at_end()) {
    read_keyword(current_field);
    if (input_at_end()) break;
    // A keyword field with a minus sign gives way to the next field, at most ten times in a
    // row; unlike the main phase, the end of the file is not tested here.
    for (int skips = 0; skips < 10 && contains(current_field, kSkipMark); ++skips)
      read_keyword(current_field);

    // A field may match several tests; each one that matches reads its own numbers.
    const std::string& f = current_field;
    if (holds_keyword(f, row_keyword::route_length)) {
      int32_t& length = scenario_records[route_length_entry].number_2;
      const int32_t earlier = length;
      read_field(length);
      if (length > 1000000) {
        end_line_file();
        record_fault(row_diagnostic(1));
        return false;
      }
      // A negative length would leave a grid without the cells that the stamps, the finishing
      // pass and the plan's first points need.
      if (length < 0) row_fault("a route length of " + std::to_string(length) + " m is below 0");
      make_grid(length);
      // The grid is made anew: the last route length holds.
      const uint32_t placer = note_placing_row(placed_kind::route_length, length);
      if (route_length_placer && earlier != length)
        tell_overwrite("this route length, " + std::to_string(length) + " m, replaces the " +
                           std::to_string(earlier) +
                           " m of the row before: the grid is made anew, and the last holds",
                       route_length_placer, "the route length row before is here");
      route_length_placer = placer;
    }
    for (auto [row, entry] : {std::pair{row_keyword::progressive_three, progressive_three_entry},
                              {row_keyword::progressive_two, progressive_two_entry},
                              {row_keyword::progressive_one, progressive_one_entry}}) {
      if (holds_keyword(f, row)) {
        read_field(scenario_records[entry].number_1);
        read_field(scenario_records[entry].number_2);
        read_field(scenario_records[entry].number_3);
        progressive_placers[static_cast<size_t>(entry - progressive_three_entry)] =
            note_placing_row(placed_kind::progressive, 0);
      }
    }
    // Background one, two and three go to number_1, number_3 and number_2 of the route name's
    // entry.
    scenario_record& backgrounds = scenario_records[route_name_entry];
    if (holds_keyword(f, row_keyword::background_one)) read_field(backgrounds.number_1);
    if (holds_keyword(f, row_keyword::background_two)) read_field(backgrounds.number_3);
    if (holds_keyword(f, row_keyword::background_three)) read_field(backgrounds.number_2);
    if (holds_keyword(f, row_keyword::signal_repetition)) {
      scenario_record& r = scenario_records[train_number_entry];
      read_field(r.number_1);
      read_field(r.number_2);
      int32_t fault = 0;
      if (r.number_1 % 50 != 0)
        fault = 3;
      else if (r.number_2 % 50 != 0)
        fault = 4;
      else if (contains(f, kRepetitionCodes[0]))
        r.number_3 = 4;
      else if (contains(f, kRepetitionCodes[1]))
        r.number_3 = 9;
      else
        fault = 5;
      if (fault != 0) {
        end_line_file();
        record_fault(row_diagnostic(fault));
        return false;
      }
      if (r.number_2 == 0) r.number_3 = 0;  // an end of 0 clears the count
    }

    if (ends_general_section(f)) break;
  }
  return true;
}
