#include <gtest/gtest.h>

#include "testing/train_fixture.h"

namespace {

const std::string first_station =
    "stazione,       0,  8,  800,  1, 0, 0,  4,1,0,  2,1,1,    1,   8,25, 0, ZENVRO CENTRALE";

// A station row with the fields that shape it; the rest are zero.
std::string station(int32_t position, int type, int32_t length, int flag_2 = 0,
                    int extension = 0) {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(type) + ", " +
         std::to_string(length) + ", 0, " + std::to_string(flag_2) + ", " +
         std::to_string(extension) + ", 0,0,0, 0,0,0, 0, 0,0,0, S";
}

// Cells that carry anything, as "cell:kind/value_1/marker" for a compact comparison.
std::string marked_cells(const train_fixture& f, int64_t from, int64_t to) {
  std::string out;
  for (int64_t c = from; c <= to; ++c) {
    const track_cell& t = f.cell(c);
    if (t.kind == 0 && t.marker_code == 0) continue;
    if (!out.empty()) out += ' ';
    out += std::to_string(c) + ":" + std::to_string(t.kind) + "/" + std::to_string(t.value_1) +
           "/" + std::to_string(t.marker_code);
  }
  return out;
}

TEST(Stations, TheBuiltInFirstStationAndItsSecondEntry) {
  train_fixture f;
  f.run({first_station,
         "stazione,    1300, 25,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, ZENVRO C.LE"});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.form.station_counter, 3);

  scenario_record one;
  one.tag = 8;
  one.number_1 = -800;
  one.number_2 = 800;
  one.number_3 = 0;
  one.flag_byte = 1;
  one.text = "ZENVRO CENTRALE";
  one.short_1 = 4;
  one.short_2 = 1;
  one.short_3 = 2;
  one.short_4 = 1;
  one.short_5 = 1;
  one.byte_1 = 0;
  one.byte_2 = 1;
  one.byte_3 = 0;
  one.byte_4 = 0;
  one.number_4 = 30300;  // 8:25:00
  EXPECT_EQ(f.record(1), one);

  // The type-25 entry is centred and marks no cell; 1150 - 350 = 800 is not before the end of
  // the first station.
  EXPECT_EQ(f.record(2).number_1, 1150);
  EXPECT_EQ(f.record(2).number_2, 1450);
  EXPECT_EQ(f.record(2).text, "ZENVRO C.LE");
  EXPECT_EQ(marked_cells(f, 0, f.form.last_cell_index), "11:0/0/84 12:0/0/83 13:0/0/82 14:0/0/81 15:10/1/0");
}

struct extent_case {
  const char* name;
  int type;
  int32_t position, length;
  int extension;
  int32_t start, end;
  int stored_extension;
  const char* cells;  // marked cells of the station (entry 2)
};

void PrintTo(const extent_case& c, std::ostream* os) { *os << c.name; }

class StationExtent : public testing::TestWithParam<extent_case> {};

TEST_P(StationExtent, ByType) {
  const extent_case& c = GetParam();
  train_fixture f;
  f.run({first_station, station(c.position, c.type, c.length, 0, c.extension)});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.record(2).number_1, c.start);
  EXPECT_EQ(f.record(2).number_2, c.end);
  EXPECT_EQ(f.record(2).number_3, c.position);
  EXPECT_EQ(f.record(2).tag, c.type);
  EXPECT_EQ(f.record(2).byte_3, c.stored_extension);
  EXPECT_EQ(marked_cells(f, 16, f.form.last_cell_index), c.cells);
}

INSTANTIATE_TEST_SUITE_P(
    Types, StationExtent,
    testing::Values(
        extent_case{"type5", 5, 5000, 400, 0, 4600, 5150, 0, "102:10/2/0"},
        extent_case{"type6_extension_cleared", 6, 5000, 400, 1, 4600, 5150, 0, "102:10/2/0"},
        extent_case{"type7", 7, 5000, 400, 1, 4600, 5400, 0,
                    "103:0/0/84 104:0/0/83 105:0/0/82 106:0/0/81 107:10/2/0"},
        extent_case{"type8", 8, 5000, 400, 0, 4600, 5400, 0,
                    "103:0/0/84 104:0/0/83 105:0/0/82 106:0/0/81 107:10/2/0"},
        extent_case{"centred", 2, 5000, 400, 0, 4800, 5200, 0,
                    "99:0/0/84 100:0/0/83 101:0/0/82 102:0/0/81 103:10/2/0"},
        extent_case{"centred_extended", 4, 40450, 200, 1, 40350, 40600, 1,
                    "807:0/0/84 808:0/0/83 809:0/0/82 810:0/0/81 811:10/2/0"},
        extent_case{"type24_still_marks", 24, 5000, 400, 0, 4800, 5200, 0,
                    "99:0/0/84 100:0/0/83 101:0/0/82 102:0/0/81 103:10/2/0"},
        extent_case{"type25_extended_no_cells", 25, 5000, 400, 1, 4800, 5250, 1, ""},
        extent_case{"type30", 30, 5000, 300, 0, 4850, 5150, 0, ""},
        extent_case{"type255", 255, 5000, 600, 0, 4700, 5300, 0, ""}));

TEST(Stations, Flag2IsClearedForShortStationsAndTheFirst) {
  struct flag_case {
    bool first;
    int32_t length;
    int flag_2;
  };
  for (const flag_case& c : {flag_case{false, 500, 0}, flag_case{false, 600, 1},
                             flag_case{true, 800, 0}}) {
    train_fixture f;
    if (c.first) {
      f.run({station(5000, 2, c.length, 1, 1)});
      EXPECT_EQ(f.record(1).byte_4, c.flag_2);
      // The extension of the first station lengthens it; only the stored flag is cleared.
      EXPECT_EQ(f.record(1).number_2, 5000 + 400 + 50);
      EXPECT_EQ(f.record(1).byte_3, 0);
    } else {
      f.run({first_station, station(5000, 2, c.length, 1)});
      EXPECT_EQ(f.record(2).byte_4, c.flag_2) << c.length;
    }
    EXPECT_EQ(f.form.error_code, 0);
  }
}

TEST(Stations, ScheduledTimeIsSecondsSinceMidnight) {
  train_fixture f;
  f.run({"stazione,   79400,  4,  700,  0, 1, 0,  1,1,0,  2,1,1,    0,   9,43, 0, QUARVEL"});
  EXPECT_EQ(f.record(1).number_4, 34980);
  EXPECT_EQ(f.record(1).text, "QUARVEL");
}

TEST(Stations, AScheduledTimeBeyond32BitsIsAReadingFault) {
  train_fixture f;
  f.run({"stazione, 5000, 2, 400, 0,0,0, 0,0,0, 0,0,0, 0, 600000, 0, 0, S"});
  EXPECT_EQ(f.form.error_code, 25);
}

TEST(Stations, AStopPointOverwritesASignal) {
  train_fixture f;
  f.run({"segnale, 700, 2, 5, 6, 1, 0, 0, 0,0,0, 0", first_station});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.cell(15).kind, kind_stop_point);
  EXPECT_EQ(f.cell(15).value_1, 1);
  // The signal's markers in cells 13 and 11 give way to the station's.
  EXPECT_EQ(f.cell(13).marker_code, 82);
  EXPECT_EQ(f.cell(11).marker_code, 84);
}

TEST(Stations, AStopCellAtOrBeforeCell1Records24) {
  struct stop_case {
    int32_t position, length;
    int32_t code;
  };
  // Centred: the end is position + length / 2, the stop cell end / 50 - 1.
  for (const stop_case& c : {stop_case{0, 100, 24}, stop_case{50, 100, 24},
                             stop_case{100, 100, 0}}) {
    train_fixture f;
    f.form.error_position = 7;
    f.run({station(c.position, 2, c.length), "sabbia, 3"});
    EXPECT_EQ(f.form.error_code, c.code) << c.position;
    EXPECT_EQ(f.form.error_position, 7);  // 24 records no position
    EXPECT_EQ(f.record(86).short_1, c.code ? 0 : 3) << c.position;
    EXPECT_EQ(marked_cells(f, 0, 3), c.code ? "" : "2:10/1/0") << c.position;
  }
  // A type 25 entry marks no cell and is never refused for it.
  train_fixture f;
  f.run({station(0, 25, 100)});
  EXPECT_EQ(f.form.error_code, 0);
}

TEST(Stations, SpacingOf350MetresAfterThePreviousEnd) {
  struct spacing_case {
    int32_t position;  // of a centred 200 m station after the first, which ends at 800
    int32_t code;
  };
  for (const spacing_case& c : {spacing_case{1250, 0}, spacing_case{1200, 22}}) {
    train_fixture f;
    f.run({first_station, station(c.position, 2, 200), "sabbia, 3"});
    EXPECT_EQ(f.form.error_code, c.code) << c.position;
    if (c.code) {
      EXPECT_EQ(f.form.error_position, c.position);
      EXPECT_EQ(f.record(86).short_1, 0);
      // The refused entry and its cells stay.
      EXPECT_EQ(f.record(2).number_2, 1300);
      EXPECT_EQ(f.cell(25).kind, kind_stop_point);
    }
  }
}

TEST(Stations, RefusedEntriesKeepWhatWasReadBefore) {
  struct refusal_case {
    const char* row;
    int32_t code;
    uint8_t tag;
  };
  for (const refusal_case& c :
       {refusal_case{"stazione, 5025, 2, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S", 8, 0},
        refusal_case{"stazione, 5000, 2, 450, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S", 9, 2},
        refusal_case{"stazione, 88201, 2, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S", 15, 0}}) {
    train_fixture f;
    f.run({first_station, c.row});
    EXPECT_EQ(f.form.error_code, c.code) << c.row;
    scenario_record expected;
    expected.number_3 = c.code == 15 ? 88201 : 5000 + (c.code == 8 ? 25 : 0);
    expected.tag = c.tag;
    EXPECT_EQ(f.record(2), expected) << c.row;
    EXPECT_EQ(f.form.error_position, expected.number_3);
    EXPECT_EQ(f.form.station_counter, 2);
  }
}

TEST(Stations, TheRangeRuleUses800Metres) {
  // last_cell_index 1780: a station at 1780 * 50 - 800 passes, one metre more records 15 and
  // End of reading still fills the cells.
  train_fixture accepted;
  accepted.run({station(88200, 2, 200)});
  EXPECT_EQ(accepted.form.error_code, 0);
  EXPECT_EQ(accepted.cell(1765).kind, kind_stop_point);

  train_fixture refused;
  refused.run({"velocita, 0, 50", station(88201, 2, 200), "sabbia, 3"});
  EXPECT_EQ(refused.form.error_code, 15);
  EXPECT_EQ(refused.form.error_position, 88201);
  EXPECT_EQ(refused.record(86).short_1, 0);
  EXPECT_EQ(refused.cell(1777).speed_code, 10);
  EXPECT_FALSE(refused.file_left());
}

TEST(Stations, NoRoomBeforeTheBoardTextsRecords10) {
  // With board_index 4 (76 boards), stations 1 and 2 fit; the third is stored, then refused.
  train_fixture f;
  f.form.board_index = 4;
  f.form.error_position = 7;
  f.run({station(5000, 2, 200), station(10000, 2, 200), station(15000, 2, 200), "sabbia, 3"});
  EXPECT_EQ(f.form.error_code, 10);
  EXPECT_EQ(f.form.error_position, 7);
  EXPECT_EQ(f.record(3).number_3, 15000);
  EXPECT_EQ(f.cell(15100 / 50 - 1).kind, kind_stop_point);
  EXPECT_EQ(f.record(86).short_1, 0);

  // Without boards, 78 stations fit and the 79th is refused.
  train_fixture full;
  std::vector<std::string> rows;
  for (int n = 1; n <= 79; ++n) rows.push_back(station(n * 1000, 2, 200));
  full.run(rows);
  EXPECT_EQ(full.form.error_code, 10);
  EXPECT_EQ(full.record(79).number_3, 79000);
}

TEST(Stations, EightyBoardsLeaveNoEntryForAStation) {
  // The 80th board text went into entry 1; the first station is refused before it is stored.
  train_fixture f;
  f.form.board_index = 0;
  f.form.scenario_records[1].text = "board text";
  f.run({station(5000, 2, 200)});
  EXPECT_EQ(f.form.error_code, 10);
  EXPECT_EQ(f.record(1).text, "board text");
  EXPECT_EQ(f.record(1).number_3, 0);
  EXPECT_NE(f.cell(5100 / 50 - 1).kind, kind_stop_point);
}

TEST(Stations, AnEndBeyondTheGridRecords34) {
  struct end_case {
    int type;
    int32_t length;
    int extension;
    int32_t code;
  };
  // At 88000 the row passes the range rule; the grid's last cell, 1780, covers up to 89050 m.
  for (const end_case& c : {end_case{8, 1000, 0, 0},     // end 89000, stop cell 1779
                            end_case{8, 1100, 0, 34},    // end 89100
                            end_case{2, 2000, 1, 0},     // end 89050, stop cell 1780
                            end_case{2, 2200, 0, 34},    // end 89100
                            end_case{25, 2200, 0, 34}}) {
    train_fixture f;
    f.form.error_position = 7;
    f.run({station(88000, c.type, c.length, 0, c.extension), "sabbia, 3"});
    EXPECT_EQ(f.form.error_code, c.code) << c.type << " " << c.length;
    if (c.code) {
      EXPECT_EQ(f.form.error_position, 88000);
      EXPECT_EQ(f.record(86).short_1, 0);
      EXPECT_EQ(marked_cells(f, 0, f.form.last_cell_index), "");
      EXPECT_FALSE(f.file_left());
    }
  }
}

TEST(Stations, ANameLongerThan65535BytesRecords36) {
  for (size_t size : {size_t{65535}, size_t{65536}}) {
    train_fixture f;
    f.run({"stazione, 5000, 2, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, " + std::string(size, 'N')});
    EXPECT_EQ(f.form.error_code, size > 65535 ? 36 : 0) << size;
    EXPECT_EQ(f.record(1).text.size(), size > 65535 ? 0 : size);
    EXPECT_EQ(f.form.error_position, size > 65535 ? 5000 : 0);
  }
}

}  // namespace
