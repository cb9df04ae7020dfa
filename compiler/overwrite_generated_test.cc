// Random small scenarios that plant objects on stations' stop cells and approach markers on one
// another's: every loss the compile makes is told, at the row that takes and with a note at the
// row that loses, and nothing else is. The losses are found apart from the compiler's own
// bookkeeping: each row's effect is the difference between the cells compiled without it and
// with it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <utility>

#include "testing/memory_compile.h"

namespace {

constexpr int32_t kRouteLength = 60000;
constexpr int kStations = 10;

// A row by its file and line.
using row_key = std::pair<std::string, int>;

struct scenario {
  std::vector<std::string> line_rows;   // after "[curve]", from line 4
  std::vector<std::string> train_rows;  // after "[generale]", from line 2
};

std::string line_text(const scenario& s, size_t rows) {
  std::vector<std::string> lines = {"[generale]",
                                    "lunghezza percorso,    " + std::to_string(kRouteLength),
                                    "[curve]"};
  lines.insert(lines.end(), s.line_rows.begin(), s.line_rows.begin() + static_cast<long>(rows));
  lines.push_back("[fine]");
  return crlf_text(lines);
}
std::string train_text(const scenario& s, size_t rows) {
  std::vector<std::string> lines = {"[generale]"};
  lines.insert(lines.end(), s.train_rows.begin(), s.train_rows.begin() + static_cast<long>(rows));
  lines.push_back("[fine]");
  return crlf_text(lines);
}

std::string at(int64_t cell) { return std::to_string((cell - 1) * 50); }

// Stations 5000 m apart, each with at most one object planted on its stop cell before it and
// perhaps a signal whose approach markers fall among the station's, before or after it. The
// planted objects never share a cell, so the compile has no fault.
scenario generate(unsigned seed) {
  std::mt19937 rng(seed);
  auto pick = [&](int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); };
  scenario s;
  s.train_rows = {"velocita, 0, 100", "aderenza, 0, 100"};
  for (int j = 0; j < kStations; ++j) {
    const int32_t p = 4000 + 5000 * j;
    const int types[] = {2, 4, 5, 6, 7, 8, 11};
    const int type = types[pick(0, 6)];
    const int32_t length = 100 * pick(2, 8);
    const int extension = pick(0, 1);
    const int32_t end = type == 5 || type == 6   ? p + 150
                        : type == 7 || type == 8 ? p + length
                                                 : p + length / 2 + (extension ? 50 : 0);
    const int64_t stop = end / 50 - 1;
    std::set<int64_t> taken = {stop};
    std::vector<std::string> before;

    const int plant = pick(0, 7);
    auto slowdown = [&](int64_t start, int32_t cells) {
      const int approach = pick(0, 1);
      before.push_back("rallentamento, " + at(start) + ", 30, " + std::to_string(cells * 50) +
                       ", 0, " + std::to_string(approach) + ", 0");
      for (int64_t c : {start, start + cells, start - 24}) taken.insert(c);
      if (approach)
        for (int64_t c = start - 28; c <= start - 25; ++c) taken.insert(c);
    };
    if (plant == 1)
      s.line_rows.push_back("indicatori_vmax,  " + at(stop) + ",  60,  60,  60,  0,  ,  ,  ,  0");
    if (plant == 2) s.line_rows.push_back("cartello_indicatore,  " + at(stop) + ",  KM " + std::to_string(j));
    if (plant == 3)
      before.push_back("segnale, " + at(stop) + ", 2, 5, 6, 1, 0, " + std::to_string(pick(0, 2)) +
                       ", 0, 0, 0, 0");
    if (plant == 4) slowdown(stop, pick(2, 8));                 // its start
    if (plant == 5) {                                          // its end
      const int32_t cells = pick(2, 8);
      slowdown(stop - cells, cells);
    }
    if (plant == 6) slowdown(stop + 24, pick(2, 8));            // its warning board
    if (plant == 7) before.push_back("abbattimento, " + std::to_string(stop * 50) + ", " +
                                     std::to_string(pick(0, 1) * 40));

    // A signal in cells stop - 2 to stop + 8 marks one or more of the station's marker cells.
    std::vector<std::string> after;
    if (pick(0, 9) < 7) {
      std::vector<int64_t> free;
      for (int64_t c = stop - 2; c <= stop + 8; ++c)
        if (!taken.count(c)) free.push_back(c);
      const int64_t cell = free[static_cast<size_t>(pick(0, static_cast<int>(free.size()) - 1))];
      const std::string row = "segnale, " + at(cell) + ", 2, 4, 1, 0, 0, " +
                              std::to_string(pick(0, 2)) + ", 1, 1, 0, 0";
      (pick(0, 1) ? before : after).push_back(row);
    }
    s.train_rows.insert(s.train_rows.end(), before.begin(), before.end());
    s.train_rows.push_back("stazione, " + std::to_string(p) + ", " + std::to_string(type) + ", " +
                           std::to_string(length) + ", 0,0," + std::to_string(extension) +
                           ", 0,0,0, 0,0,0, 0, 8,0,0, S" + std::to_string(j));
    s.train_rows.insert(s.train_rows.end(), after.begin(), after.end());
  }
  return s;
}

struct cell_state {
  uint8_t kind;
  int16_t value_1;
  uint8_t marker;
};

std::vector<cell_state> cells_of(const memory_compile& run) {
  std::vector<cell_state> out;
  for (const track_cell& c : run.form->track_cells) out.push_back({c.kind, c.value_1, c.marker_code});
  return out;
}

TEST(OverwritesGenerated, EveryLossIsToldAndNoOther) {
  // What was lost, over all the scenarios: each kind of loss must have come up.
  std::map<std::string, int> seen;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const scenario s = generate(seed);
    const size_t rows = s.line_rows.size() + s.train_rows.size();
    auto key_of = [&](size_t k) -> row_key {
      if (k < s.line_rows.size()) return {"Mini_linea.txt", static_cast<int>(k) + 4};
      return {"Mini_42-.txt", static_cast<int>(k - s.line_rows.size()) + 2};
    };
    auto row_text = [&](const row_key& key) {
      return key.first == "Mini_linea.txt" ? s.line_rows.at(static_cast<size_t>(key.second - 4))
                                           : s.train_rows.at(static_cast<size_t>(key.second - 2));
    };
    auto compile_first = [&](size_t k) {
      const size_t line_rows = std::min(k, s.line_rows.size());
      return std::make_unique<memory_compile>(line_text(s, line_rows),
                                              train_text(s, k - line_rows));
    };

    // Row by row: what each takes from the rows before it, by the cells it changes.
    std::multiset<std::pair<row_key, row_key>> lost;
    std::map<int64_t, row_key> point_placer, marker_placer;
    std::vector<cell_state> before = cells_of(*compile_first(0));
    for (size_t k = 0; k < rows; ++k) {
      const auto run = compile_first(k + 1);
      ASSERT_EQ(run->form->faults_reported, 0) << key_of(k).first << ":" << key_of(k).second;
      const std::vector<cell_state> now = cells_of(*run);
      for (size_t c = 0; c < now.size(); ++c) {
        const cell_state &was = before[c], &is = now[c];
        const bool object_changed = was.kind != is.kind || was.value_1 != is.value_1;
        if (object_changed && was.kind != kind_empty && was.kind != kind_mountain_marker) {
          lost.insert({key_of(k), point_placer.at(static_cast<int64_t>(c))});
          ++seen["point of kind " + std::to_string(was.kind)];
        }
        if (was.marker != 0 && is.marker != was.marker) {
          lost.insert({key_of(k), marker_placer.at(static_cast<int64_t>(c))});
          ++seen[row_text(marker_placer.at(static_cast<int64_t>(c))).starts_with("stazione")
                     ? "marker of a station"
                     : "marker of a signal"];
        }
        if (object_changed) point_placer[static_cast<int64_t>(c)] = key_of(k);
        if (is.marker != was.marker) marker_placer[static_cast<int64_t>(c)] = key_of(k);
      }
      before = now;
    }

    // The whole scenario at once: its warnings, where they are and where their notes point.
    const auto whole = compile_first(rows);
    std::multiset<std::pair<row_key, row_key>> told;
    for (const diagnostic& d : whole->warnings("overwrite")) {
      ASSERT_EQ(d.related.size(), 1u) << d.detail;
      told.insert({{d.where.file, d.where.line}, {d.related[0].where.file, d.related[0].where.line}});
    }
    EXPECT_EQ(told, lost);
  }
  for (const char* kind : {"point of kind 1", "point of kind 2", "point of kind 3",
                           "point of kind 4", "point of kind 6", "point of kind 14",
                           "marker of a station", "marker of a signal"})
    EXPECT_GT(seen[kind], 0) << kind;
  EXPECT_GT(seen["point of kind 12"] + seen["point of kind 13"], 0) << "speed cuts";
}

}  // namespace
