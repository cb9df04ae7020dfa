// inspect's default print, in the author's terms, of the built-in scenario's files.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/run_cli.h"
#include "testing/temp_folder.h"

namespace {

struct shown_line {
  const char* file;
  const char* line;  // a whole line of the print
};

void PrintTo(const shown_line& c, std::ostream* os) { *os << c.file << ": " << c.line; }

class InspectBuiltIn : public testing::TestWithParam<shown_line> {};

TEST_P(InspectBuiltIn, SaysWhatTheAuthorWrote) {
  static temp_folder dir;
  static const int built = run({"--out", dir.path()}).status;
  ASSERT_EQ(built, 0);
  cli_result r = run({"inspect", dir.file(GetParam().file)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(r.out.find(std::string("\n") + GetParam().line + "\n"), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, InspectBuiltIn,
    testing::Values(
        shown_line{"Zenvro_Quarvel_2417.sim",
                   "  station 3 \"MORLENO\" at 6000 m (km 6.000), from 5700 m to 6300 m, stop "
                   "cell 6250 m to 6300 m, type 2, due 8:32:00, stop value 60"},
        shown_line{"Zenvro_Quarvel_2417.sim",
                   "  station 2 \"ZENVRO C.LE\" at 1300 m (km 1.300), from 1150 m to "
                   "1450 m, no stop cell, type 25"},
        shown_line{"Zenvro_Quarvel_2417.sim", "  entry 80: \"(Km. 2.256)\""},
        shown_line{"Zenvro_Quarvel_2417.sim",
                   "Route length: 82000 m (km 120.200), without the run-out"},
        shown_line{"Zenvro_Quarvel_2417.sim",
                   "  from 63200 m on, the line's kilometres read from km 101.400 (flag 1)"},
        shown_line{"Zenvro_Quarvel_2417.sim",
                   "  from 9600 m on, the line's kilometres read from km -9.550"},
        shown_line{"Zenvro_Quarvel_2417.sim",
                   "Backgrounds: one from 1 m, two from 31000 m, three from 59500 m"},
        shown_line{"Zenvro_Quarvel_2417.sim", "Train: braked mass 120 %, 8 cars, sand 300"},
        shown_line{"Zenvro_Quarvel_2417.sim", "Clock at the start: 8:24:15"},
        shown_line{"Zenvro_Quarvel_2417.sim",
                   "Signal repetition: 4 codes from 10550 m (km -8.600) to 79900 m (km 118.100)"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  1750 m (km 1.750): signal, aspects 50/60/10, side codes 2 and 0"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  6650 m (km 6.650): signal, aspects 41/11/0, side codes 2 and 2, time 120"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  33350 m (km 14.200): speed board 90/95/100, 2 stripes"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  63650 m (km 101.850): speed board 140/160/160; right-hand board "
                   "140/160/160"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  6250 m (km 6.250): stop cell of station 3 \"MORLENO\", its last 50 m"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  60950 m (km 83.750): indicator board \"(Km. 2.256)\""},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  59500 m (km 82.300): mountain of type 2 for 150 m, to 59650 m"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  0 m to 1200 m (km 0.000 to 1.200): speed limit 30 km/h"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  43950 m to 50000 m (km 66.750 to 72.800): gradient -5 \u2030"},
        shown_line{"Zenvro_Quarvel_2417.dat",
                   "  33600 m to 36950 m (km 14.450 to 17.800): adhesion 95"},
        shown_line{"Zenvro_Quarvel_linea.dat",
                   "  right-hand curve from 1000 m (km 1.000) for 400 m, radius 333 m"},
        shown_line{"Zenvro_Quarvel_linea.dat",
                   "  left-hand curve from 10400 m (km 10.400) for 1500 m, radius 2500 m"},
        shown_line{"Zenvro_Quarvel_linea.dat",
                   "  0 m (km 0.000): x 0.0 m, y 0.0 m, heading 0.0\u00b0"}));

// The objects come in the order of the route, every signal among them, whatever kind of
// object lies before or after it.
TEST(InspectAuthor, ObjectsInTheOrderOfTheRoute) {
  temp_folder dir;
  ASSERT_EQ(run({"--out", dir.path()}).status, 0);
  cli_result r = run({"inspect", dir.file("Zenvro_Quarvel_2417.dat")});
  ASSERT_EQ(r.status, 0) << r.err;
  size_t from = r.out.find("Along the route"), to = r.out.find("Speed limit:");
  ASSERT_LT(from, to);
  std::istringstream listed(r.out.substr(from, to - from));
  std::string line;
  std::getline(listed, line);
  long previous = -1, signals = 0;
  while (std::getline(listed, line)) {
    long metre = std::stol(line);
    EXPECT_LE(previous, metre) << line;
    previous = metre;
    signals += line.find(": signal, aspects ") != std::string::npos;
  }
  EXPECT_EQ(signals, 41);  // the built-in train file's signal rows
}

// Cells without their .sim file beside them: the stations by number, the board by its entry.
TEST(InspectAuthor, CellsWithoutTheirRecords) {
  temp_folder built, alone;
  ASSERT_EQ(run({"--out", built.path()}).status, 0);
  const char* cells = "Zenvro_Quarvel_2417.dat";
  write_file(alone.file(cells), read_file(built.file(cells)));
  cli_result r = run({"inspect", alone.file(cells)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("Route length"), std::string::npos) << r.out;
  for (const char* line : {"  6250 m (km 6.250): stop cell of station 3, its last 50 m\n",
                           "  60950 m (km 60.950): indicator board, its text in record entry 80\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
}

// The built-in train file with a slowdown row: the slowdown, its warning board and the speed
// cuts the finishing pass puts around it are listed where they lie.
TEST(InspectAuthor, ASlowdownAndItsBoards) {
  temp_folder dir;
  ASSERT_EQ(run({"export", "--out", dir.path()}).status, 0);
  std::string train = read_file(dir.file("Zenvro_Quarvel_2417-.txt"));
  size_t end = train.rfind("[fine]");
  ASSERT_NE(end, std::string::npos);
  train.insert(end, "rallentamento,  12000,  60,  800,  0,  1,  0\r\n");
  write_file(dir.file("Zenvro_Quarvel_2417-.txt"), train);
  cli_result compiled = run({"compile", dir.file("Zenvro_Quarvel_linea.txt"),
                             dir.file("Zenvro_Quarvel_2417-.txt"), "--out", dir.path()});
  ASSERT_EQ(compiled.status, 0) << compiled.err;
  cli_result r = run({"inspect", dir.file("Zenvro_Quarvel_2417.dat")});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* line : {"  10800 m (km -8.350): slowdown warning board 60 km/h\n",
                           "  12000 m (km -7.150): slowdown start 60 km/h for 800 m\n",
                           "  12800 m (km -6.350): slowdown end, after 60 km/h since 12000 m\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
  EXPECT_NE(r.out.find(": speed cut 180 km/h\n"), std::string::npos) << r.out;
}

}  // namespace
