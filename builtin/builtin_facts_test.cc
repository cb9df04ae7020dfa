// The facts the built-in scenario must satisfy to compile without a fault, recomputed from its
// rows as the compiler reads them: positions within the grid, no two point objects in one cell,
// station spacing, the counts and values the scenario files depend on, and the timetable sheet
// agreeing with the train file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <span>

#include "builtin/document_lines.h"
#include "source/field_reader.h"
#include "model/rounding.h"
#include "builtin/builtin_scenario.h"

namespace {

constexpr int32_t kRouteLength = 82000;
constexpr int32_t kGridLength = kRouteLength + 7000;
constexpr int32_t kLastCell = kGridLength / 50;  // 1780

// A row read field by field with the reading rules of the compiler: the keyword, `numbers`
// numbers and, for station and indicator rows, a closing text field.
struct row {
  std::string keyword;
  std::vector<int32_t> numbers;
  std::string text;
};

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

row read_row(std::string_view line) {
  field_reader reader(std::string(line) + "\r\n");
  row r;
  r.keyword = reader.read_text();
  size_t numbers = 0;
  bool text = false;
  const std::string& k = r.keyword;
  if (k.front() == '[') numbers = 0;
  else if (contains(k, "progressiva")) numbers = 3;
  else if (contains(k, "ripetizione") || contains(k, "curva") || contains(k, "pendenza") ||
           contains(k, "aderenza") || contains(k, "velocita")) numbers = 2;
  else if (contains(k, "montagna") || contains(k, "orologio")) numbers = 3;
  else if (contains(k, "indicatori_vmax")) numbers = 9;
  else if (contains(k, "cartello_indicatore")) numbers = 1, text = true;
  else if (contains(k, "stazione")) numbers = 16, text = true;
  else if (contains(k, "segnale")) numbers = 11;
  else numbers = 1;  // lunghezza, sfondo, vetture, massa frenata, sabbia
  for (size_t i = 0; i < numbers; ++i) r.numbers.push_back(reader.read_int32());
  if (text) r.text = reader.read_text();
  EXPECT_TRUE(reader.at_end()) << "the row holds more fields than its kind reads: " << line;
  return r;
}

std::vector<row> rows_of(std::span<const std::string_view> lines, const char* keyword) {
  std::vector<row> out;
  for (std::string_view line : lines) {
    row r = read_row(line);
    if (contains(r.keyword, keyword)) out.push_back(r);
  }
  return out;
}

bool fits_grid(int32_t p, int32_t margin = 100) { return kLastCell >= (p + margin) / 50.0; }

// A station entry as the compiler stores it.
struct station {
  int32_t position, type, length, flag_1, flag_2, extension;
  int32_t stop_value, hours, minutes, seconds;
  std::string name;
  int32_t start, end;
  bool marks_cells() const { return type < 25; }
  int32_t stop_cell() const { return end / 50 - 1; }
};

std::vector<station> stations() {
  std::vector<station> out;
  for (const row& r : rows_of(builtin_train_rows(), "stazione")) {
    const std::vector<int32_t>& n = r.numbers;
    station s{n[0], n[1], n[2], n[3], n[4], n[5], n[12], n[13], n[14], n[15], r.text, 0, 0};
    if (s.type == 5 || s.type == 6) {
      s.start = s.position - s.length, s.end = s.position + 150;
    } else if (s.type == 7 || s.type == 8) {
      s.start = s.position - s.length, s.end = s.position + s.length;
    } else {
      s.start = s.position - static_cast<int32_t>(round_even(s.length / 2.0));
      s.end = s.position + static_cast<int32_t>(round_even(s.length / 2.0)) +
              (s.extension ? 50 : 0);
    }
    out.push_back(s);
  }
  return out;
}

// ---- Line description file -------------------------------------------------------------

TEST(BuiltinLine, GeneralRowsHoldTheValuesTheCompiledRouteDependsOn) {
  auto one = [](const char* keyword) {
    std::vector<row> rows = rows_of(builtin_line_rows(), keyword);
    EXPECT_EQ(rows.size(), 1u) << keyword;
    return rows.empty() ? std::vector<int32_t>{} : rows[0].numbers;
  };
  EXPECT_EQ(one("lunghezza percorso"), std::vector<int32_t>{kRouteLength});
  EXPECT_EQ(one("chilometrica uno"), (std::vector<int32_t>{9600, -9550, 0}));
  EXPECT_EQ(one("chilometrica due"), (std::vector<int32_t>{40500, 63200, 1}));
  EXPECT_EQ(one("chilometrica tre"), (std::vector<int32_t>{63200, 101300, 1}));
  EXPECT_EQ(one("sfondo uno"), std::vector<int32_t>{1});
  EXPECT_EQ(one("sfondo due"), std::vector<int32_t>{31000});
  EXPECT_EQ(one("sfondo tre"), std::vector<int32_t>{59500});
  EXPECT_EQ(one("ripetizione segnali 4"), (std::vector<int32_t>{10550, 79900}));
}

TEST(BuiltinLine, RowsOfEachKindAreAscendingAndWithinTheGrid) {
  for (auto [keyword, count] : std::vector<std::pair<const char*, size_t>>{
           {"curva", 22}, {"pendenza", 14}, {"montagna", 1}, {"indicatori_vmax", 20},
           {"cartello_indicatore", 1}}) {
    std::vector<row> rows = rows_of(builtin_line_rows(), keyword);
    EXPECT_EQ(rows.size(), count) << keyword;
    for (size_t i = 0; i < rows.size(); ++i) {
      int32_t p = rows[i].numbers[0];
      EXPECT_TRUE(fits_grid(p)) << keyword << " at " << p;
      EXPECT_GE(p, 0) << keyword;
      if (i > 0) {
        EXPECT_GT(p, rows[i - 1].numbers[0]) << keyword << " at " << p;
      }
    }
  }
}

TEST(BuiltinLine, CurvesDoNotOverlapAndStayInsideTheRoutePlan) {
  int32_t previous_end = 1;  // points 0 and 1 are fixed
  for (const row& r : rows_of(builtin_line_rows(), "curva")) {
    int32_t start = r.numbers[0], length = r.numbers[1];
    ASSERT_EQ(r.keyword.size(), 7u) << r.keyword;
    EXPECT_TRUE(r.keyword.starts_with("curvad") || r.keyword.starts_with("curvas")) << r.keyword;
    EXPECT_TRUE(r.keyword[6] >= '1' && r.keyword[6] <= '6') << r.keyword;
    EXPECT_GT(length, 0) << r.keyword;
    EXPECT_GT(start, previous_end) << r.keyword << " at " << start;
    previous_end = start + length;
    EXPECT_LE(previous_end, kGridLength - 2) << r.keyword << " at " << start;
  }
}

TEST(BuiltinLine, GradientsMatchTheCellsTheCompilerIsKnownToFill) {
  std::vector<row> g = rows_of(builtin_line_rows(), "pendenza");
  ASSERT_GE(g.size(), 4u);
  EXPECT_EQ(g[0].numbers, (std::vector<int32_t>{0, 0}));
  EXPECT_EQ(g[1].numbers, (std::vector<int32_t>{1200, 5}));
  EXPECT_EQ(g[2].numbers[0], 1750);  // the +5 covers cells 24 to 34
  EXPECT_NE(g[2].numbers[1], 5);
  for (const row& r : g) EXPECT_TRUE(r.numbers[1] >= -100 && r.numbers[1] <= 155);
  EXPECT_EQ(rows_of(builtin_line_rows(), "montagna")[0].numbers,
            (std::vector<int32_t>{59500, 59650, 2}));
}

TEST(BuiltinLine, SpeedBoardsHoldSpeedsAndStripesThatFitTheirCodes) {
  for (const row& r : rows_of(builtin_line_rows(), "indicatori_vmax")) {
    const std::vector<int32_t>& n = r.numbers;
    for (int i : {1, 2, 3, 5, 6, 7}) {
      EXPECT_EQ(n[i] % 5, 0) << "board at " << n[0];
      EXPECT_TRUE(n[i] >= 0 && n[i] <= 160) << "board at " << n[0];
    }
    for (int i : {4, 8}) EXPECT_TRUE(n[i] >= 0 && n[i] <= 2) << "board at " << n[0];
  }
}

// ---- Train description file ------------------------------------------------------------

TEST(BuiltinTrain, RunningValuesStartAtZeroAndRiseInPosition) {
  for (auto [keyword, count] : std::vector<std::pair<const char*, size_t>>{{"aderenza", 9},
                                                                           {"velocita", 11}}) {
    std::vector<row> rows = rows_of(builtin_train_rows(), keyword);
    ASSERT_EQ(rows.size(), count) << keyword;
    EXPECT_EQ(rows[0].numbers[0], 0) << keyword;
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_TRUE(fits_grid(rows[i].numbers[0])) << keyword;
      if (i > 0) {
        EXPECT_GT(rows[i].numbers[0], rows[i - 1].numbers[0]) << keyword;
      }
      EXPECT_TRUE(rows[i].numbers[1] > 0 && rows[i].numbers[1] <= 255) << keyword;
    }
  }
  // Adhesion 95 from 33600 to the row at 36950; speeds 30, 95, 105 to the row at 4500, 150.
  std::vector<row> a = rows_of(builtin_train_rows(), "aderenza");
  EXPECT_EQ(a[0].numbers[1], 100);
  EXPECT_EQ(a[1].numbers, (std::vector<int32_t>{33600, 95}));
  EXPECT_EQ(a[2].numbers[0], 36950);
  std::vector<row> v = rows_of(builtin_train_rows(), "velocita");
  EXPECT_EQ(v[0].numbers[1], 30);
  EXPECT_EQ(v[1].numbers, (std::vector<int32_t>{1200, 95}));
  EXPECT_EQ(v[2].numbers, (std::vector<int32_t>{2000, 105}));
  EXPECT_EQ(v[3].numbers[0], 4500);
  EXPECT_EQ(v[4].numbers, (std::vector<int32_t>{10000, 150}));
}

TEST(BuiltinTrain, StationsAreStoredWithoutAFault) {
  std::vector<station> st = stations();
  ASSERT_EQ(st.size(), 15u);
  std::set<int32_t> types;
  size_t name_bytes = 0;
  for (size_t i = 0; i < st.size(); ++i) {
    const station& s = st[i];
    types.insert(s.type);
    name_bytes += s.name.size();
    EXPECT_TRUE(fits_grid(s.position, 800)) << s.name;
    EXPECT_EQ(s.position % 50, 0) << s.name;
    EXPECT_EQ(s.length % 100, 0) << s.name;
    for (int32_t byte : {s.type, s.flag_1, s.flag_2, s.extension, s.stop_value})
      EXPECT_TRUE(byte >= 0 && byte <= 255) << s.name;
    if (s.marks_cells()) {
      EXPECT_GT(s.stop_cell(), 1) << s.name;
      EXPECT_LE(s.end / 50, kLastCell) << s.name;
    }
    if (i > 0) {
      EXPECT_GT(s.position, st[i - 1].position) << s.name;
      EXPECT_GE(s.start - 350, st[i - 1].end) << s.name << " is too close to " << st[i - 1].name;
    }
  }
  EXPECT_EQ(types, (std::set<int32_t>{2, 4, 8, 11, 12, 22, 25}));
  EXPECT_EQ(name_bytes, 177u);  // the records file is 3164 bytes with them
  // One indicator board takes entry 80, so the stations must end below entry 79.
  EXPECT_LT(st.size() + 1, 79u);
}

TEST(BuiltinTrain, StopValuesAndTimesTellStopsFromPassingPoints) {
  std::vector<station> st = stations();
  ASSERT_EQ(st.size(), 15u);
  EXPECT_EQ(st.front().stop_value, 1);
  EXPECT_EQ(st.back().stop_value, 0);
  EXPECT_EQ(st.front().start, -800);
  EXPECT_EQ(st[1].type, 25);
  int junctions = 0, passed = 0;
  int previous_time = 0;
  for (size_t i = 1; i + 1 < st.size(); ++i) {
    const station& s = st[i];
    int time = s.hours * 3600 + s.minutes * 60 + s.seconds;
    if (s.type == 11) {
      ++junctions;
      EXPECT_EQ(s.stop_value, 155);
      EXPECT_EQ(time, 0);
    } else if (s.type < 25) {
      EXPECT_TRUE(s.stop_value == 60 || s.stop_value == 0) << s.name;
      if (s.stop_value == 0) {
        ++passed;
        EXPECT_EQ(time, 0) << s.name;
      } else {
        EXPECT_GT(time, previous_time) << s.name;
        previous_time = time;
      }
    }
  }
  EXPECT_EQ(junctions, 1);
  EXPECT_EQ(passed, 1);
}

TEST(BuiltinTrain, SignalsHoldValuesInTheirRanges) {
  std::vector<row> sig = rows_of(builtin_train_rows(), "segnale");
  ASSERT_EQ(sig.size(), 41u);
  EXPECT_EQ(sig.front().numbers[0], 1750);
  EXPECT_EQ(sig.back().numbers[0], 78150);
  std::multiset<int32_t> tempi;
  for (size_t i = 0; i < sig.size(); ++i) {
    const std::vector<int32_t>& n = sig[i].numbers;
    int32_t p = n[0], sx = n[1], s1 = n[2], s2 = n[3], s3 = n[4], rapp = n[5], dx = n[6],
            d1 = n[7], d2 = n[8], d3 = n[9], tempo = n[10];
    SCOPED_TRACE("signal at " + std::to_string(p));
    EXPECT_TRUE(fits_grid(p));
    EXPECT_GE(p, 350);  // its markers stay inside the grid
    if (i > 0) {
      EXPECT_GT(p, sig[i - 1].numbers[0]);
    }
    EXPECT_EQ(sx, 2);
    EXPECT_TRUE(s1 >= 2 && s1 <= 5);
    EXPECT_TRUE(s2 >= 0 && s2 <= 6);
    EXPECT_TRUE(s3 == 0 || s3 == 1);
    EXPECT_TRUE(rapp == 0 || rapp == 1);
    EXPECT_TRUE(dx == 0 || dx == 2);
    EXPECT_TRUE(d1 >= 0 && d1 <= 2);
    EXPECT_TRUE(d2 == 0 || d2 == 1);
    EXPECT_TRUE(d3 == 0 || d3 == 1);
    if (tempo != 0) tempi.insert(tempo);
  }
  EXPECT_EQ(tempi, (std::multiset<int32_t>{110, 120}));
}

// ---- Both files together -----------------------------------------------------------------

// Every object that takes a cell of its own, in the order the compiler places them: boards
// from the line file, then stop points, then signals. A signal refuses any taken cell (code 16)
// and a stop point would silently replace a board, so no two may meet.
TEST(BuiltinScenario, NoTwoPointObjectsShareACell) {
  std::map<int64_t, std::string> taken;
  auto place = [&](int64_t cell, const std::string& what) {
    EXPECT_TRUE(cell >= 2 && cell <= kLastCell) << what;
    auto [it, fresh] = taken.emplace(cell, what);
    EXPECT_TRUE(fresh) << what << " falls in cell " << cell << " of " << it->second;
  };
  for (const row& r : rows_of(builtin_line_rows(), "indicatori_vmax"))
    place(point_cell(r.numbers[0]), "speed board at " + std::to_string(r.numbers[0]));
  for (const row& r : rows_of(builtin_line_rows(), "cartello_indicatore"))
    place(point_cell(r.numbers[0]), "indicator board at " + std::to_string(r.numbers[0]));
  for (const station& s : stations())
    if (s.marks_cells()) place(s.stop_cell(), "stop point of " + s.name);
  for (const row& r : rows_of(builtin_train_rows(), "segnale"))
    place(point_cell(r.numbers[0]), "signal at " + std::to_string(r.numbers[0]));
  EXPECT_EQ(taken.size(), 20u + 1u + 14u + 41u);
}

// A signal's markers (2, 4, 6 and 8 cells before it) would overwrite a station's (the four
// cells before its stop point): the data keeps them apart so every marker survives.
TEST(BuiltinScenario, SignalMarkersLeaveStationMarkersAlone) {
  std::map<int64_t, std::string> station_cells;
  for (const station& s : stations())
    if (s.marks_cells())
      for (int k = 0; k <= 4; ++k) station_cells[s.stop_cell() - k] = s.name;
  for (const row& r : rows_of(builtin_train_rows(), "segnale")) {
    int64_t i = point_cell(r.numbers[0]);
    for (int k = 1; k <= 4; ++k)
      EXPECT_EQ(station_cells.count(i - 2 * k), 0u)
          << "signal at " << r.numbers[0] << " marks a cell of " << station_cells[i - 2 * k];
  }
}

TEST(BuiltinScenario, SignalRepetitionStartsJustAfterTheStationTheNotesName) {
  std::vector<station> st = stations();
  const station* last_before = nullptr;
  for (const station& s : st)
    if (s.type < 25 && s.type != 11 && s.end <= 10550) last_before = &s;
  ASSERT_NE(last_before, nullptr);
  EXPECT_EQ(last_before->name, "CASTRELLE");
  for (const station& s : st) EXPECT_FALSE(s.start > last_before->end && s.start < 10550);

  auto upper = [](std::string_view line) {
    std::string u(line);
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
  };
  std::span<const std::string_view> notes = notes_lines();
  EXPECT_NE(upper(notes[4]).find(last_before->name), std::string::npos);
  for (const station& s : st)
    if (s.type < 25 && s.type != 11 && s.stop_value == 0 && &s != &st.back()) {
      EXPECT_NE(upper(notes[1]).find(s.name), std::string::npos) << s.name;
    }
}

// ---- The timetable sheet against the train file ----------------------------------------

struct timetable_row {
  std::optional<int> limit;
  int32_t progressive;  // metres
  std::string name;
  std::string form;  // first, pass, stop, last
  std::vector<std::string> times;
};

std::string trim(std::string_view s) {
  size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? std::string() : std::string(s.substr(a, b - a + 1));
}

std::vector<timetable_row> timetable_rows() {
  std::vector<timetable_row> out;
  std::span<const std::string_view> lines = timetable_lines();
  for (size_t i = 16; i <= 38; ++i) {
    std::vector<std::string> cells;
    std::string_view line = lines[i];
    size_t from = line.find('|') + 1;
    for (size_t bar; (bar = line.find('|', from)) != std::string_view::npos; from = bar + 1)
      cells.emplace_back(line.substr(from, bar - from));
    EXPECT_EQ(cells.size(), 7u) << "line " << i + 1;
    if (cells.size() != 7) continue;
    timetable_row r;
    if (!trim(cells[0]).empty()) r.limit = std::stoi(trim(cells[0]));
    std::string km = trim(cells[2]);
    size_t dot = km.find('.');
    r.progressive = std::stoi(km.substr(0, dot)) * 1000 + std::stoi(km.substr(dot + 1));
    r.name = trim(cells[4]);
    const std::string& t = cells[5];
    std::string times = trim(t);
    size_t space = times.find(' ');
    if (space != std::string::npos) {
      r.form = "stop";
      r.times = {times.substr(0, space), trim(times.substr(space))};
    } else {
      r.times = {times};
      size_t at = t.find_first_not_of(' ');
      r.form = at == 11 ? "first" : at == 7 ? "pass" : at == 2 ? "last" : "?";
    }
    out.push_back(r);
  }
  return out;
}

std::string clock(int hours, int minutes) {
  return std::to_string(hours) + "." + (minutes < 10 ? "0" : "") + std::to_string(minutes);
}

TEST(BuiltinTimetable, StationsAppearInRunningOrderWithTheTrainFilesTimes) {
  std::vector<timetable_row> rows = timetable_rows();
  ASSERT_EQ(rows.size(), 23u);
  std::vector<station> st = stations();
  ASSERT_EQ(st.size(), 15u);

  // Rows named in capitals are the stations after the first entry, in the same order.
  std::vector<const timetable_row*> places;
  for (const timetable_row& r : rows)
    if (std::none_of(r.name.begin(), r.name.end(), [](char c) { return std::islower(c); }))
      places.push_back(&r);
  ASSERT_EQ(places.size(), st.size() - 1);
  for (size_t i = 1; i < st.size(); ++i) {
    const station& s = st[i];
    const timetable_row& r = *places[i - 1];
    EXPECT_EQ(r.name, s.name);
    if (i == 1) {
      EXPECT_EQ(r.form, "first");
      EXPECT_EQ(r.times[0], clock(st[0].hours, st[0].minutes));  // departure from Zenvro
    } else if (i + 1 == st.size()) {
      EXPECT_EQ(r.form, "last");
    } else if (s.stop_value == 60) {
      EXPECT_EQ(r.form, "stop") << s.name;
      ASSERT_EQ(r.times.size(), 2u);
      EXPECT_EQ(r.times[1], clock(s.hours, s.minutes)) << "departure from " << s.name;
      EXPECT_EQ(s.seconds, 0) << s.name;
    } else {
      EXPECT_EQ(r.form, "pass") << s.name;
    }
  }
}

TEST(BuiltinTimetable, SpeedsAndFirstPositionsAreTheTrainFilesSpeedLimits) {
  std::vector<timetable_row> rows = timetable_rows();
  std::vector<row> limits = rows_of(builtin_train_rows(), "velocita");
  std::vector<int> sheet_speeds, file_speeds;
  for (const timetable_row& r : rows)
    if (r.limit) sheet_speeds.push_back(*r.limit);
  for (const row& v : limits) file_speeds.push_back(v.numbers[1]);
  EXPECT_EQ(sheet_speeds, file_speeds);

  // Until the first change of the kilometre progressive (where it drops back) it equals the
  // route position.
  int32_t first_change = rows_of(builtin_line_rows(), "chilometrica uno")[0].numbers[0];
  std::vector<station> st = stations();
  size_t speed = 0;
  int32_t previous = 0;
  for (const timetable_row& r : rows) {
    if (r.progressive < previous) break;
    previous = r.progressive;
    EXPECT_LT(r.progressive, first_change) << r.name;
    if (r.limit) {
      ASSERT_LT(speed, limits.size());
      EXPECT_EQ(r.progressive, limits[speed++].numbers[0]) << r.name;
    }
    for (const station& s : st)
      if (s.name == r.name && s.type < 25) {
        EXPECT_EQ(r.progressive, s.position) << r.name;
      }
  }
  EXPECT_GE(speed, 4u);
}

TEST(BuiltinTimetable, TimesNeverGoBackwards) {
  std::string previous = "0.00";
  auto minutes = [](const std::string& t) {
    size_t dot = t.find('.');
    return std::stoi(t.substr(0, dot)) * 60 + std::stoi(t.substr(dot + 1));
  };
  for (const timetable_row& r : timetable_rows())
    for (const std::string& t : r.times) {
      EXPECT_GE(minutes(t), minutes(previous)) << r.name;
      previous = t;
    }
}

}  // namespace
