// Rows that take what an earlier row placed: each loss is told at the row that takes, with a
// note at the row that loses, and the cells and records stay as the compile has always left them.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "testing/memory_compile.h"

namespace {

std::string station(int32_t position, int type, int32_t length, const std::string& name) {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(type) + ", " +
         std::to_string(length) + ", 0,0,0, 0,0,0, 0,0,0, 0, 8,0,0, " + name;
}
std::string signal(int32_t position, int dx = 0) {
  return "segnale, " + std::to_string(position) + ", 2, 5, 6, 1, 0, " + std::to_string(dx) +
         ", 0, 0, 0, 0";
}

// The line file: the route length (line 2), `general` rows from line 3, then the main rows
// after "[curve]".
std::string line_text(const std::vector<std::string>& general, const std::vector<std::string>& main) {
  std::vector<std::string> lines = {"[generale]", "lunghezza percorso,    42000"};
  lines.insert(lines.end(), general.begin(), general.end());
  lines.push_back("[curve]");
  lines.insert(lines.end(), main.begin(), main.end());
  lines.push_back("[fine]");
  return crlf_text(lines);
}
// The train file: `rows` from line 2.
std::string train_text(std::vector<std::string> rows) {
  rows.insert(rows.begin(), "[generale]");
  rows.push_back("[fine]");
  return crlf_text(rows);
}

// What the compile left, in a few words per case.
using outcome = std::function<std::string(const Form1&)>;

// Cells in [from, to] that hold anything, as "cell:kind/value_1/marker".
outcome marked(int64_t from, int64_t to) {
  return [=](const Form1& f) {
    std::string out;
    for (int64_t c = from; c <= to; ++c) {
      const track_cell& t = f.track_cells.at(static_cast<size_t>(c));
      if (t.kind == 0 && t.marker_code == 0) continue;
      out += (out.empty() ? "" : " ") + std::to_string(c) + ":" + std::to_string(t.kind) + "/" +
             std::to_string(t.value_1) + "/" + std::to_string(t.marker_code);
    }
    return out;
  };
}
// One field of cells 0 to `to` as runs of equal values: "0..19=6 20=12 21..29=16".
outcome runs(uint8_t track_cell::*field, int64_t to) {
  return [=](const Form1& f) {
    std::string out;
    for (int64_t from = 0; from <= to;) {
      int64_t last = from;
      const auto value = f.track_cells.at(static_cast<size_t>(from)).*field;
      while (last < to && f.track_cells.at(static_cast<size_t>(last + 1)).*field == value) ++last;
      out += (out.empty() ? "" : " ") + std::to_string(from) +
             (last > from ? ".." + std::to_string(last) : "") + "=" + std::to_string(value);
      from = last + 1;
    }
    return out;
  };
}
std::string progressives(const Form1& f) {
  std::string out;
  for (int e = progressive_three_entry; e <= progressive_one_entry; ++e) {
    const scenario_record& r = f.scenario_records[static_cast<size_t>(e)];
    out += (out.empty() ? "" : " ") + std::to_string(e) + "=" + std::to_string(r.number_1) + "," +
           std::to_string(r.number_2) + "," + std::to_string(r.number_3);
  }
  return out;
}

struct place {
  char file;  // 'L' the line file, 'T' the train file
  int line, column;
};

struct loss {
  const char* name;
  std::vector<std::string> general, line_main, train;
  size_t warnings;  // how many the compile tells; the first is held to the words below
  place at;
  const char* detail;
  place note_at;
  const char* note;
  outcome left;
  const char* expected;
};

void PrintTo(const loss& l, std::ostream* os) { *os << l.name; }

std::string file_of(char f) { return f == 'L' ? "Mini_linea.txt" : "Mini_42-.txt"; }

std::string printed(const std::vector<diagnostic>& told) {
  std::ostringstream out;
  for (const diagnostic& d : told) print_diagnostic(out, d);
  return out.str();
}

class Loss : public testing::TestWithParam<loss> {};

TEST_P(Loss, IsToldAtTheRowThatTakesWithANoteAtTheRowThatLoses) {
  const loss& l = GetParam();
  memory_compile run(line_text(l.general, l.line_main), train_text(l.train));
  EXPECT_EQ(run.form->faults_reported, 0) << printed(run.told);
  const std::vector<diagnostic> told = run.warnings("overwrite");
  ASSERT_EQ(told.size(), l.warnings) << printed(run.told);
  const diagnostic& d = told.front();
  EXPECT_EQ(d.where.file, file_of(l.at.file));
  EXPECT_EQ(d.where.line, l.at.line);
  EXPECT_EQ(d.where.column, l.at.column);
  EXPECT_EQ(d.detail, l.detail);
  ASSERT_EQ(d.related.size(), 1u) << printed(run.told);
  EXPECT_EQ(d.related[0].where.file, file_of(l.note_at.file));
  EXPECT_EQ(d.related[0].where.line, l.note_at.line);
  EXPECT_EQ(d.related[0].where.column, l.note_at.column);
  EXPECT_EQ(d.related[0].message, l.note);
  // The compile writes what it always wrote: the later row holds.
  EXPECT_EQ(l.left(*run.form), l.expected);
}

// A station at 29800 m of length 200 ends at 29900 m: its stop cell is 597 (29850 m), where a
// point object at 29800 m lies, and its markers 81 to 84 are in cells 596 to 593.
const std::string monte = station(29800, 2, 200, "MONTE");
const char* const monte_cells = "593:0/0/84 594:0/0/83 595:0/0/82 596:0/0/81 597:10/1/0";

INSTANTIATE_TEST_SUITE_P(
    Kinds, Loss,
    testing::Values(
        loss{"speed_board_on_a_stop_cell", {}, {"indicatori_vmax,  29800,  60,  60,  60,  0,  ,  ,  ,  0"},
             {monte}, 1, {'T', 2, 11},
             "the stop point of station 1 (MONTE) takes the cell at 29850 m from a speed board at "
             "29800 m, which is lost",
             {'L', 4, 19}, "the speed board at 29800 m is placed here", marked(585, 605), monte_cells},
        // The board's text stays in the records; only its cell is gone.
        loss{"indicator_board_on_a_stop_cell", {}, {"cartello_indicatore,  29800,   (Km. 2.256)"},
             {monte}, 1, {'T', 2, 11},
             "the stop point of station 1 (MONTE) takes the cell at 29850 m from an indicator "
             "board (\"(Km. 2.256)\") at 29800 m, which is lost",
             {'L', 4, 23}, "the indicator board at 29800 m is placed here",
             [](const Form1& f) {
               return marked(585, 605)(f) + " text " + f.scenario_records[80].text;
             },
             "593:0/0/84 594:0/0/83 595:0/0/82 596:0/0/81 597:10/1/0 text (Km. 2.256)"},
        // A type-5 station marks its stop cell only (29950 m / 50 - 1 = 598).
        loss{"signal_before_the_station_on_its_stop_cell", {}, {},
             {signal(29850), station(29800, 5, 400, "MONTE")}, 1, {'T', 3, 11},
             "the stop point of station 1 (MONTE) takes the cell at 29900 m from a signal at "
             "29850 m, which is lost",
             {'T', 2, 10}, "the signal at 29850 m is placed here", marked(585, 605),
             "590:0/0/64 592:0/0/63 594:0/0/62 596:0/0/61 598:10/1/0"},
        loss{"slowdown_start_on_a_stop_cell", {}, {},
             {"rallentamento, 29800, 30, 500, 0, 0, 0", monte}, 1, {'T', 3, 11},
             "the stop point of station 1 (MONTE) takes the cell at 29850 m from a slowdown start "
             "at 29800 m, which is lost",
             {'T', 2, 16}, "the slowdown from 29800 m is placed here", marked(585, 610),
             "593:0/0/84 594:0/0/83 595:0/0/82 596:0/0/81 597:10/1/0 607:2/30/0"},
        loss{"speed_cut_on_a_stop_cell", {}, {}, {"abbattimento, 29850, 40", monte}, 1,
             {'T', 3, 11},
             "the stop point of station 1 (MONTE) takes the cell at 29850 m from a speed cut at "
             "29850 m, which is lost",
             {'T', 2, 15}, "the speed cut at 29850 m is placed here", marked(585, 605), monte_cells},
        // The signal in cell 601 marks 599, 597, 595 and 593; the station takes 595 and 593.
        loss{"station_markers_on_signal_markers", {}, {}, {signal(30000), monte}, 2, {'T', 3, 11},
             "approach marker 2 of station 1 (MONTE) takes the marker of the cell at 29750 m from "
             "approach marker 3 of the signal at 30000 m, which is lost",
             {'T', 2, 10}, "the signal at 30000 m is placed here", marked(585, 605),
             "593:0/0/84 594:0/0/83 595:0/0/82 596:0/0/81 597:10/1/62 599:0/0/61 601:1/50/0"},
        loss{"signal_markers_on_station_markers", {}, {}, {monte, signal(30000)}, 2, {'T', 3, 10},
             "approach marker 3 of the signal at 30000 m takes the marker of the cell at 29750 m "
             "from approach marker 2 of station 1 (MONTE), which is lost",
             {'T', 2, 11}, "station 1 (MONTE) is placed here", marked(585, 605),
             "593:0/0/64 594:0/0/83 595:0/0/63 596:0/0/81 597:10/1/62 599:0/0/61 601:1/50/0"},
        // Markers 81 to 84 on a station's: the same code in cell 596 loses nothing.
        loss{"a_marker_of_the_same_code_loses_nothing", {}, {}, {monte, signal(29850, 2)}, 1,
             {'T', 3, 10},
             "approach marker 2 of the signal at 29850 m takes the marker of the cell at 29700 m "
             "from approach marker 3 of station 1 (MONTE), which is lost",
             {'T', 2, 11}, "station 1 (MONTE) is placed here", marked(585, 605),
             "590:0/0/84 592:0/0/83 593:0/0/84 594:0/0/82 595:0/0/82 596:0/0/81 597:10/1/0 "
             "598:1/50/0"},
        // Every progressive with something in it is told; the third takes no part in the tie.
        loss{"progressives_sharing_the_greatest_start",
             {"progressiva chilometrica uno,  40000, 1000, 0",
              "progressiva chilometrica due,  40000, 5000, 0",
              "progressiva chilometrica tre,  10000, 9000, 0"},
             {}, {}, 3, {'L', 3, 32},
             "this kilometre progressive is cleared, with the others: the greatest start, 40000 m, "
             "is shared by \"uno\" and \"due\"",
             {'L', 4, 32}, "kilometre progressive \"due\" starts at 40000 m here", progressives,
             "81=0,0,0 82=0,0,0 83=0,0,0"},
        loss{"progressives_whose_starts_add_up_to_0",
             {"progressiva chilometrica uno,  -1000, 0, 0",
              "progressiva chilometrica due,  1000, -500, 0"},
             {}, {}, 2, {'L', 3, 32},
             "this kilometre progressive is cleared, with the others: the starts add up to 0 m "
             "and no value is above 0",
             {'L', 4, 32}, "kilometre progressive \"due\" is here", progressives,
             "81=0,0,0 82=0,0,0 83=0,0,0"},
        loss{"a_second_route_length", {"lunghezza percorso,    40000"}, {}, {}, 1, {'L', 3, 24},
             "this route length, 40000 m, replaces the 42000 m of the row before: the grid is "
             "made anew, and the last holds",
             {'L', 2, 24}, "the route length row before is here",
             [](const Form1& f) {
               return std::to_string(f.scenario_records[route_length_entry].number_2) + " m, " +
                      std::to_string(f.track_cells.size()) + " cells";
             },
             "40000 m, 941 cells"},
        loss{"two_speed_rows_at_one_place", {}, {},
             {"velocita, 0, 30", "velocita, 1000, 60", "velocita, 1000, 80"}, 1, {'T', 4, 11},
             "the speed 60 of the row before applies only to the cell at 1000 m: this row is not "
             "after it, so its speed 80 starts at 1050 m",
             {'T', 3, 11}, "the speed row before is here", runs(&track_cell::speed_code, 29),
             "0..19=6 20=12 21..29=16"},
        // At 0 m no cell is filled before the row: the first row's speed reaches none.
        loss{"two_speed_rows_at_0_m", {}, {}, {"velocita, 0, 30", "velocita, 0, 60"}, 1,
             {'T', 3, 11},
             "the speed 30 of the row before applies to no cell: this row is not after it, and "
             "its speed 60 takes its place from 0 m",
             {'T', 2, 11}, "the speed row before is here", runs(&track_cell::speed_code, 29),
             "0..29=12"},
        loss{"two_adhesion_rows_at_one_place", {}, {},
             {"aderenza, 0, 100", "aderenza, 2000, 90", "aderenza, 2000, 80"}, 1, {'T', 4, 11},
             "the adhesion 90 of the row before applies only to the cell at 2000 m: this row is "
             "not after it, so its adhesion 80 starts at 2050 m",
             {'T', 3, 11}, "the adhesion row before is here", runs(&track_cell::adhesion_code, 45),
             "0..39=100 40=90 41..45=80"}),
    [](const testing::TestParamInfo<loss>& test) { return test.param.name; });

// The whole message as the console shows it: the warning, its row with a caret, then the note.
TEST(Losses, PrintedWithTheRowAndTheNote) {
  memory_compile run(line_text({}, {"indicatori_vmax,  29800,  60,  60,  60,  0,  ,  ,  ,  0"}),
                     train_text({monte}));
  EXPECT_EQ(printed(run.told),
            "Mini_42-.txt:2:11: warning: the stop point of station 1 (MONTE) takes the cell at "
            "29850 m from a speed board at 29800 m, which is lost [-Woverwrite]\n" +
                monte + "\n          ^\n" +
                "Mini_linea.txt:4:19: note: the speed board at 29800 m is placed here\n"
                "indicatori_vmax,  29800,  60,  60,  60,  0,  ,  ,  ,  0\n"
                "                  ^\n");
  ASSERT_EQ(run.told.size(), 1u);
  // The page and editors place it by its row's kind and metre.
  EXPECT_EQ(run.told[0].row_kind, "stazione");
  EXPECT_EQ(run.told[0].metre, 29800);
}

// Rows that take nothing from another: a station on free cells, rows in order, one route length,
// progressives with distinct starts, a mountain marker that gives way.
TEST(Losses, NoneWhereNothingIsLost) {
  memory_compile run(
      line_text({"progressiva chilometrica uno,  9600, -9550, 0",
                 "progressiva chilometrica due,  40500, 63200, 1"},
                {"montagna,  29700,  30500,  12", "indicatori_vmax,  20000,  60,  60,  60,  0,  ,  ,  ,  0"}),
      train_text({"velocita, 0, 30", "velocita, 1000, 60", "aderenza, 0, 100", signal(25000),
                  monte, signal(35000)}));
  EXPECT_EQ(run.form->faults_reported, 0) << printed(run.told);
  EXPECT_TRUE(run.warnings("overwrite").empty()) << printed(run.told);
  // The mountain marks every fourth cell from 594: the stop cell 597 held a marker.
  EXPECT_EQ(run.cell(597).kind, kind_stop_point);
  EXPECT_EQ(run.cell(601).kind, kind_mountain_marker);
}

// Under --werror a warning is an error of the run, counted so that no binary file is written;
// silenced, it is not told at all.
TEST(Losses, TheEngineSettingsDecideHowAWarningIsTold) {
  struct setting {
    warning_settings settings;
    size_t told;
    severity level;
    int made_errors;
  };
  for (const setting& s : {setting{{}, 1, severity::warning, 0},
                           setting{{{}, true}, 1, severity::error, 1},
                           setting{{{"overwrite"}, true}, 0, severity::error, 0}}) {
    Form1 form;
    std::vector<diagnostic> told;
    form.diagnostics.send_to(keeper(told));
    form.diagnostics.set_settings(s.settings);
    form.report_warning(warning_at({"Mini_42-.txt", 2, 11, "x"}, "overwrite", "lost"));
    ASSERT_EQ(told.size(), s.told);
    if (s.told > 0) {
      EXPECT_EQ(told[0].level, s.level);
    }
    EXPECT_EQ(form.warnings_made_errors, s.made_errors);
    EXPECT_EQ(form.faults_reported, 0);
  }
}

}  // namespace
