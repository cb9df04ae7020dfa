#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>

#include "form1/form1.h"
#include "binary/binary_encoding.h"
#include "cli/run_cli.h"
#include "files/file_names.h"
#include "testing/temp_folder.h"
#include "cli/commands.h"

namespace {

using nlohmann::json;

// The three binary files of a small scenario with awkward values, written by the run's writer.
struct small_scenario {
  temp_folder dir;
  std::string plan, records, cells;  // paths

  small_scenario() {
    std::ostringstream console;
    Form1 form;
    form.console = &console;
    form.program_folder = dir.path();
    form.route_name = "Tiny";
    form.train_number = "7";
    form.plan_enabled = 1;
    form.track_cells.assign(6, track_cell{});
    form.last_cell_index = 5;
    for (track_cell& c : form.track_cells) c = {0, 0, 0, 0, 0, 0, 0, 0, 24, 100, 7};
    form.track_cells[3] = {6, -32768, 32767, -1, 12, 255, 128, 3, 0, 255, 1};
    form.track_cells[4].gradient_code = 95;
    form.scenario_records[1] = {1, -2147483647 - 1, 2147483647, -50, 255, "CITT\xc3\x80 \"A\"\\B",
                                -1, 2, 3, 4, 5, 6, 7, 8, 255, 99};
    form.scenario_records[2].text = std::string("tab\there \x01 and \xe2\x82\xac \xc2\x81", 20);
    form.scenario_records[route_name_entry].text = "Tiny";
    form.scenario_records[train_number_entry].text = "7";
    form.route_plan.create(6);
    form.route_plan.set_int16(0, 0, 0);
    form.route_plan.set_int16(1, 0, 0);
    form.route_plan.set_int16(0, 1, 0);
    form.route_plan.set_int16(1, 1, 1);
    form.route_plan.set_double(2, 0, -0.0);
    form.route_plan.set_double(2, 1, 0.1 + 0.2);
    form.route_plan.set_double(3, 0, std::numeric_limits<double>::denorm_min());
    form.route_plan.set_double(3, 1, -1e300);
    form.route_plan.set_double(4, 0, std::numeric_limits<double>::quiet_NaN());
    form.route_plan.set_double(4, 1, -std::numeric_limits<double>::infinity());
    form.route_plan.types[form.route_plan.index(5, 0)] = variant_int32;
    form.route_plan.values[form.route_plan.index(5, 0)] = -100000;
    form.timbra_codici();
    form.scrivi_file_binari();
    plan = dir.file(plan_file_name("Tiny"));
    records = dir.file(records_file_name("Tiny", "7"));
    cells = dir.file(cells_file_name("Tiny", "7"));
  }
};

TEST(Inspect, CellsByTheirFields) {
  small_scenario s;
  cli_result r = run({"inspect", "--raw", s.cells});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("6 track cells"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("cell 0: speed_code 24 gradient_code 100 adhesion_code 7\n"),
            std::string::npos) << r.out;
  EXPECT_NE(r.out.find("cell 1: value_1 5121 value_2 "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("cell 3: kind 6 (speed board) value_1 -32768 value_2 32767 value_3 -1 "
                       "value_4 12 time_code 255 marker_code 128 mountain_type 3 speed_code 0 "
                       "gradient_code 255 adhesion_code 1\n"),
            std::string::npos) << r.out;
  EXPECT_NE(r.out.find("cell 4: speed_code 24 gradient_code 95 adhesion_code 7\n"),
            std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("cell 2:"), std::string::npos) << "an empty cell like the one before";
}

TEST(Inspect, RecordsByTheirFields) {
  small_scenario s;
  cli_result r = run({"inspect", "--raw", s.records});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("entry 85: text \"Tiny\" short_1 610 number_4 "), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("entry 86: text \"7\"\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("entry 0:"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("entry 3:"), std::string::npos) << r.out;
}

TEST(Inspect, PlanAsASummaryOfItsEntries) {
  small_scenario s;
  cli_result r = run({"inspect", "--raw", s.plan});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("14 entries, metres 0 to 6"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("4 16-bit integers, 1 32-bit integers, 6 doubles, 3 empty"),
            std::string::npos) << r.out;
  EXPECT_NE(r.out.find("points (metres with both x and y): 5"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("extent: metre 0 to metre 4"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("metre 1: x 0.000, y 1.000"), std::string::npos) << r.out;
}

// The awkward values read in the author's terms: the cells name their station from the .sim
// file beside them, and nothing stops the print.
TEST(Inspect, AwkwardValuesInTheAuthorsTerms) {
  small_scenario s;
  const struct {
    std::string file;
    std::vector<std::string> lines;
  } cases[] = {
      {s.cells,
       {"  150 m (km 0.150): mountain of type 3 for 50 m, to 200 m",
        "  0 m to 150 m (km 0.000 to 0.150): speed limit 120 km/h",
        "  0 m to 150 m (km 0.000 to 0.150): adhesion 7"}},
      {s.records,
       {"  station 1 \"CITT\xc3\x80 \\\"A\\\"\\\\B\" at -50 m (km -0.050), from "
        "-2147483648 m to 2147483647 m, stop cell 2147483600 m to 2147483650 m, type 1, due "
        "0:01:39, stop value 7",
        "  station 2 \"tab\\there \\x01 and \xe2\x82\xac \xc3\x82\" at 0 m (km 0.000), "
        "from 0 m to 0 m, no stop cell, type 0",
        "Kilometre progressives: none", "Signal repetition: none"}},
      {s.plan,
       {"Extent: x 0.0 m to 0.0 m, y -inf m to 1.0 m (north is +y)",
        "  2 m (km 0.002): x 0.0 m, y 0.3 m, heading 180.0\u00b0",
        "  3 m (km 0.003): x 0.0 m, y -1e+300 m", "  4 m (km 0.004): x nan m, y -inf m"}},
  };
  for (const auto& c : cases) {
    cli_result r = run({"inspect", c.file});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const std::string& line : c.lines)
      EXPECT_NE(r.out.find("\n" + line + "\n"), std::string::npos) << line << "\n" << r.out;
  }
}

// The file's bytes rebuilt by the encoder from what `inspect --json` printed.
std::string rebuilt_from_json(const std::string& text) {
  json j = json::parse(text);
  byte_buffer out;
  if (j["kind"] == "cells") {
    for (const json& c : j["cells"])
      encode(out, track_cell{c["kind"], c["value_1"], c["value_2"], c["value_3"], c["value_4"],
                             c["time_code"], c["marker_code"], c["mountain_type"],
                             c["speed_code"], c["gradient_code"], c["adhesion_code"]});
  } else if (j["kind"] == "records") {
    for (const json& e : j["records"])
      encode(out, scenario_record{e["tag"], e["number_1"], e["number_2"], e["number_3"],
                                  e["flag_byte"], e["text"], e["short_1"], e["short_2"],
                                  e["short_3"], e["short_4"], e["short_5"], e["byte_1"],
                                  e["byte_2"], e["byte_3"], e["byte_4"], e["number_4"]});
  } else {
    EXPECT_EQ(j["kind"], "plan");
    EXPECT_EQ(j["x"].size(), j["highest_metre"].get<size_t>() + 1);
    EXPECT_EQ(j["y"].size(), j["x"].size());
    for (const char* axis : {"x", "y"})
      for (const json& e : j[axis]) {
        variant_entry v{e["type"], 0};
        if (e.contains("bits"))
          v.value = std::bit_cast<double>(std::stoull(e["bits"].get<std::string>(), nullptr, 16));
        else if (v.type != variant_empty)
          v.value = e["value"].get<double>();
        out.variant(v);
      }
  }
  return out.bytes();
}

void expect_json_round_trip(const std::string& file) {
  cli_result r = run({"inspect", "--json", file});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(rebuilt_from_json(r.out) == read_file(file)) << file;
}

// Rebuilding each file from its JSON with the encoder gives back every byte: awkward values
// (extremes, -0.0, NaN, infinities, quotes and control characters in texts) and the built-in
// scenario's files.
TEST(Inspect, JsonRoundTripGivesBackEveryByte) {
  small_scenario s;
  for (const std::string& file : {s.cells, s.records, s.plan}) expect_json_round_trip(file);
}

TEST(Inspect, JsonRoundTripOfTheBuiltInFiles) {
  temp_folder dir;
  ASSERT_EQ(run({"--out", dir.path()}).status, 0);
  for (const char* name :
       {"Zenvro_Quarvel_2417.dat", "Zenvro_Quarvel_2417.sim", "Zenvro_Quarvel_linea.dat"})
    expect_json_round_trip(dir.file(name));
}

struct damaged_case {
  const char* name;
  const char* file_name;
  std::string bytes;
  const char* says;  // the offset as the message gives it
};

void PrintTo(const damaged_case& c, std::ostream* os) { *os << c.name; }

class InspectDamaged : public testing::TestWithParam<damaged_case> {};

TEST_P(InspectDamaged, OneErrorNamingTheOffset) {
  const damaged_case& c = GetParam();
  temp_folder dir;
  write_file(dir.file(c.file_name), c.bytes);
  for (bool as_json : {false, true}) {
    std::vector<std::string> args = {"inspect", dir.file(c.file_name)};
    if (as_json) args.push_back("--json");
    cli_result r = run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

std::string empty_records() {
  byte_buffer b;
  encode_array(b, std::vector<scenario_record>(scenario_record_count));
  return b.bytes();
}

INSTANTIATE_TEST_SUITE_P(
    Files, InspectDamaged,
    testing::Values(
        damaged_case{"cells_not_whole", "R_1.dat", std::string(31, '\0'),
                     ": not a valid track cell file: at byte 30: the file ends 1 byte into cell 2"},
        damaged_case{"cells_empty", "R_1.dat", "", "at byte 0:"},
        damaged_case{"records_trailing", "R_1.sim", empty_records() + "x", "at byte 2958:"},
        damaged_case{"records_short", "R_1.sim", empty_records().substr(0, 2957), "at byte 2954:"},
        damaged_case{"records_text_past_end", "R_1.sim", std::string("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x10\0abc", 19),
                     "at byte 14: entry 0's text of 16 bytes runs past the end"},
        damaged_case{"plan_bad_type", "R_linea.dat", std::string("\x02\0\0\0\x09\0", 6),
                     ": not a valid route plan file: at byte 4: "},
        damaged_case{"plan_odd", "R_linea.dat", std::string("\x02\0\0\0", 4), "at byte 4: "},
        damaged_case{"plan_cut_double", "R_linea.dat", std::string("\x05\0\0\0\0", 5),
                     "at byte 2: "}),
    [](const testing::TestParamInfo<damaged_case>& test) { return test.param.name; });

TEST(Inspect, KindFromTheNameOrGiven) {
  small_scenario s;
  temp_folder dir;
  write_file(dir.file("cells.bin"), read_file(s.cells));
  EXPECT_EQ(run({"inspect", dir.file("cells.bin")}).status, 2);
  cli_result r = run({"inspect", dir.file("cells.bin"), "--kind", "cells"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("track cells 0 to 5, 50 m each"), std::string::npos) << r.out;
  // A cell file read as records is damaged: 90 bytes are not 87 entries.
  EXPECT_EQ(run({"inspect", s.cells, "--kind=records"}).status, 1);
  EXPECT_EQ(run({"inspect", s.cells, "--kind", "grid"}).status, 2);
  EXPECT_EQ(run({"inspect"}).status, 2);
  EXPECT_EQ(run({"inspect", s.cells, "--raw", "--json"}).status, 2);
  EXPECT_EQ(run({"inspect", dir.file("missing.dat")}).status, 3);
  EXPECT_EQ(run({"inspect", dir.path() + "/", "--kind", "cells"}).status, 3);
}

}  // namespace
