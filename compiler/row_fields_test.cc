// The readers against the row table (source/row_table.h), which the lint walks by and the
// format reference prints: each reader takes exactly the fields the table gives its row, each
// a number or a text as the table says.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "diagnostics/engine.h"
#include "source/row_table.h"
#include "testing/line_fixture.h"
#include "testing/train_fixture.h"

namespace {

// Values that each row takes without a fault, one a field, in order.
const std::map<row_kind, std::vector<std::string>> kValues = {
    {row_kind::route_length, {"82000"}},
    {row_kind::progressive, {"9600", "-9550", "0"}},
    {row_kind::background, {"31000"}},
    {row_kind::signal_repetition, {"10550", "79900"}},
    {row_kind::gradient, {"1200", "5"}},
    {row_kind::curve, {"1000", "400"}},
    {row_kind::mountain, {"59500", "59650", "2"}},
    {row_kind::speed_board, {"800", "30", "30", "30", "0", "0", "0", "0", "0"}},
    {row_kind::indicator_board, {"60950", "(Km. 2.256)"}},
    {row_kind::braked_mass, {"120"}},
    {row_kind::cars, {"8"}},
    {row_kind::speed, {"1200", "95"}},
    {row_kind::adhesion, {"0", "100"}},
    {row_kind::clock, {"8", "24", "15"}},
    {row_kind::sand, {"300"}},
    {row_kind::signal, {"1750", "2", "5", "6", "1", "0", "0", "0", "0", "0", "0"}},
    {row_kind::slowdown, {"45000", "60", "1000", "0", "1", "0"}},
    {row_kind::speed_cut, {"20000", "100"}},
    {row_kind::station,
     {"6000", "2", "600", "0", "1", "0", "2", "1", "0", "2", "1", "1", "60", "8", "32", "0",
      "MORLENO"}},
};

// The row with its first `count` fields, written so that a reader that takes a number where
// the table says text, or text where it says a number, takes another count of fields: numbers
// stand apart by blanks alone, which a reader of text takes whole, and a text holds blanks,
// where a reader of numbers stops.
std::string row_with(std::string_view keyword, const row_spec& row, size_t count) {
  const std::vector<std::string>& values = kValues.at(row.kind);
  std::string out(keyword);
  for (size_t i = 0; i < count; ++i) {
    if (row.fields[i].text)
      out += ", " + values[i] + " and more";
    else
      out += (i == 0 ? ", " : "  ") + values[i];
  }
  return out;
}

// A row after which the reader finds a row of its own part whose number "x" is a fault: where
// the fault lies tells whether the reader took that row's keyword as a keyword.
struct probe_file {
  std::string before, after;
  int sentinel_line, sentinel_column;
};

probe_file probe_for(row_part part) {
  switch (part) {
    case row_part::line_general:
      return {"[generale]\nlunghezza percorso, 82000\n", "lunghezza percorso, x\n[curve]\n[fine]\n",
              4, 21};
    case row_part::line_main:
      return {"[generale]\nlunghezza percorso, 82000\n[curve]\n", "pendenza, x\n[fine]\n", 5, 11};
    case row_part::train:
      break;
  }
  return {"[generale]\n", "velocita, x\n[fine]\n", 3, 11};
}

// The places of the faults reported while the row's file is read, "LINE:COLUMN".
std::vector<std::string> faults_reading(const std::string& row, row_part part) {
  const probe_file probe = probe_for(part);
  const std::string text = probe.before + row + "\n" + probe.after;
  std::vector<diagnostic> kept;
  if (part == row_part::train) {
    train_fixture f;
    f.form.diagnostics.send_to(keeper(kept));
    std::vector<std::string> lines;
    for (size_t from = 0; from < text.size();) {
      const size_t end = text.find('\n', from);
      lines.push_back(text.substr(from, end - from));
      from = end + 1;
    }
    f.run_file(lines);
  } else {
    line_fixture f(1);  // curves are read only with the plan
    f.form.diagnostics.send_to(keeper(kept));
    f.read(text);
  }
  std::vector<std::string> out;
  for (const diagnostic& d : kept)
    out.push_back(std::to_string(d.where.line) + ":" + std::to_string(d.where.column));
  return out;
}

TEST(RowFields, EveryReaderTakesTheFieldsOfTheRowTable) {
  for (const row_spec& row : row_specs()) {
    ASSERT_TRUE(kValues.count(row.kind)) << row.name << ": give its row values here";
    ASSERT_GE(kValues.at(row.kind).size(), row.fields.size()) << row.name;
    const probe_file probe = probe_for(row.part());
    const std::string sentinel =
        std::to_string(probe.sentinel_line) + ":" + std::to_string(probe.sentinel_column);
    for (row_keyword test : row.tests) {
      const std::string_view keyword = keyword_test_of(test).written;
      // Whole, the row leaves the next row to be read as one.
      const std::string whole = row_with(keyword, row, row.fields.size());
      EXPECT_EQ(faults_reading(whole, row.part()), std::vector<std::string>{sentinel})
          << whole << "\n(the fault belongs at the next row's \"x\")";
      // A field short, it takes the next row's keyword as its last field.
      const std::string short_row = row_with(keyword, row, row.fields.size() - 1);
      const std::vector<std::string> faults = faults_reading(short_row, row.part());
      EXPECT_EQ(std::count(faults.begin(), faults.end(), sentinel), 0)
          << short_row << "\n(the next row's keyword should have been read as a field)";
    }
  }
}

}  // namespace
