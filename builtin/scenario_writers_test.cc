// The two description files as written: their lines, line ends and the rows quoted verbatim.
#include <gtest/gtest.h>

#include <algorithm>

#include "form1/form1.h"
#include "files/file_names.h"
#include "builtin/builtin_scenario.h"
#include "testing/crlf_lines.h"
#include "testing/temp_folder.h"

namespace {

struct written_sources {
  std::string line_file;
  std::string train_file;
};

written_sources write_sources(const temp_folder& dir) {
  Form1 form;
  form.program_folder = dir.path();
  form.route_name = builtin_route_name;
  form.train_number = builtin_train_number;
  form.dati_linea();
  form.dati_treno();
  return {read_file(dir.file("Zenvro_Quarvel_linea.txt")),
          read_file(dir.file("Zenvro_Quarvel_2417-.txt"))};
}

struct quoted_line {
  size_t number;  // from 1
  const char* text;
};

void expect_lines(const std::vector<std::string>& lines,
                  std::initializer_list<quoted_line> quoted) {
  for (const quoted_line& q : quoted) {
    ASSERT_LE(q.number, lines.size());
    EXPECT_EQ(lines[q.number - 1], q.text) << "line " << q.number;
  }
}

void expect_plain_text_file(const std::string& bytes) {
  EXPECT_EQ(bytes.find("riferimento fine del file"), std::string::npos);
  EXPECT_NE(bytes.substr(0, 3), "\xef\xbb\xbf");  // no byte-order mark
  for (unsigned char c : bytes) EXPECT_LT(c, 0x80) << "the sources are plain ASCII";
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(bytes.size() - 8), "[fine]\r\n");
}

TEST(LineDescriptionFile, HasItsSeventyThreeLinesWithTheQuotedRows) {
  temp_folder dir;
  written_sources s = write_sources(dir);
  std::vector<std::string> lines = crlf_lines(s.line_file);
  ASSERT_EQ(lines.size(), 73u);
  expect_plain_text_file(s.line_file);
  expect_lines(lines, {
                          {1, "[generale]"},
                          {2, "lunghezza percorso,    82000"},
                          {3, "progressiva chilometrica uno,    9600,    -9550,    0"},
                          {4, "progressiva chilometrica due,    40500,    63200,    1"},
                          {5, "progressiva chilometrica tre,    63200,    101300,    1"},
                          {6, "sfondo uno,    1"},
                          {7, "sfondo due,    31000"},
                          {8, "sfondo tre,    59500"},
                          {9, "ripetizione segnali 4 codici,    10550,    79900"},
                          {10, "[curve]"},
                          {11, "curvad6,  1000,  400"},
                          {33, "[pendenze]"},
                          {34, "pendenza,  0,   0"},
                          {35, "pendenza,  1200,   5"},
                          {36, "pendenza,  1750,   2"},
                          {48, "[montagne]"},
                          {49, "montagna,   59500,  59650,  2"},
                          {50, "[cartelli]"},
                          {51, "indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0"},
                          {71, "[indicazioni]"},
                          {72, "cartello_indicatore,  60950,   (Km. 2.256)"},
                          {73, "[fine]"},
                      });
  // Quoted rows whose place among the others is ours to choose.
  for (const char* row :
       {"curvas3,  10400,  1500", "curvas1,  64600,  2000", "pendenza,  43950,   -5",
        "indicatori_vmax,  33350,  90,  95,  100,  2,  ,  ,  ,  0",
        "indicatori_vmax,  33850,  90,  95,  100,  1,  ,  ,  ,  0",
        "indicatori_vmax,  34350,  90,  95,  100,  0,  ,  ,  ,  0",
        "indicatori_vmax,  63650,  140,  160,  160,  0,  140,  160,  160,  0"})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), row), 1) << row;
}

TEST(TrainDescriptionFile, HasItsEightyEightLinesWithTheQuotedRows) {
  temp_folder dir;
  written_sources s = write_sources(dir);
  std::vector<std::string> lines = crlf_lines(s.train_file);
  ASSERT_EQ(lines.size(), 88u);
  expect_plain_text_file(s.train_file);
  expect_lines(
      lines,
      {
          {1, "[generale]"},
          {2, "numero vetture,    8"},
          {3, "percentuale massa frenata,    120"},
          {4, "sabbia,    300"},
          {5, "orologio,    8               24            15 "},
          {6, "[aderenze]"},
          {7, "aderenza,   0,    100"},
          {16, "[vel_limite]"},
          {17, "velocita,   0,    30"},
          {18, "velocita,    1200,    95"},
          {28, "[stazioni]"},
          {29,
           "stazione,       0,  8,  800,  1, 0, 0,  4,1,0,  2,1,1,    1,   8,25, 0, "
           "ZENVRO CENTRALE"},
          {30,
           "stazione,    1300, 25,  300,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, ZENVRO C.LE"},
          {43, "stazione,   79400,  4,  700,  0, 1, 0,  1,1,0,  2,1,1,    0,   9,43, 0, QUARVEL"},
          {44, "[rallentamenti]"},
          {45, "[segnali]"},
          {46, "segnale,    1750,   2, 5, 6,  1, 0,    0,  0,0,0, 0"},
          {87, "[codici]"},
          {88, "[fine]"},
      });
  for (const char* row : {"aderenza,   33600,    95", "velocita,   10000,   150",
                          "segnale,    2850,   2, 2, 3,  1, 1,    2,  2,1,1, 0",
                          "segnale,    6650,   2, 4, 1,  0, 0,    2,  1,1,0, 120",
                          "segnale,   11350,   2, 4, 0,  0, 0,    0,  0,0,0, 0"})
    EXPECT_EQ(std::count(lines.begin(), lines.end(), row), 1) << row;
}

TEST(ScenarioWriters, ReplaceAnOldFileWhole) {
  temp_folder dir;
  write_file(dir.file("Zenvro_Quarvel_linea.txt"), std::string(20000, '#'));
  write_file(dir.file("Zenvro_Quarvel_2417-.txt"), "old\r\n");
  written_sources s = write_sources(dir);
  EXPECT_EQ(crlf_lines(s.line_file).size(), 73u);
  EXPECT_EQ(s.line_file.find('#'), std::string::npos);
  EXPECT_EQ(crlf_lines(s.train_file).size(), 88u);
  EXPECT_EQ(s.train_file.find("old"), std::string::npos);
}

}  // namespace
