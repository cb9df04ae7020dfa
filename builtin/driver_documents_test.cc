// The three driver documents as written: lines, CR LF, Windows-1252 bytes and sizes.
#include <gtest/gtest.h>

#include <filesystem>

#include "form1/form1.h"
#include "builtin/builtin_scenario.h"
#include "testing/crlf_lines.h"
#include "testing/temp_folder.h"

namespace {

void write_in(Form1& form, const temp_folder& dir) {
  form.program_folder = dir.path();
  form.route_name = builtin_route_name;
  form.train_number = builtin_train_number;
}

std::string written(void (Form1::*writer)(), const char* name, const std::string& old = {}) {
  temp_folder dir;
  if (!old.empty()) write_file(dir.file(name), old);
  Form1 form;
  write_in(form, dir);
  (form.*writer)();
  return read_file(dir.file(name));
}

std::string repeat(int n, char c) { return std::string(static_cast<size_t>(n), c); }

TEST(Notes, TenLinesInWindows1252) {
  std::string bytes = written(&Form1::dati_note, "Zenvro_Quarvel_2417_note.txt");
  std::vector<std::string> lines = crlf_lines(bytes);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "Treno impostato in rango B - la locomotiva \xe8 un E646.");
  EXPECT_EQ(lines[2], "Non vi sono rallentamenti.");
  EXPECT_EQ(lines[3],
            "Alcune stazioni non si trovano su tratto pianeggiante, per cui, se si effettua "
            "fermata, bisogna evitare il movimento del treno.");
  EXPECT_EQ(lines[5], "Ci sono tre variazioni della progressiva chilometrica.");
  EXPECT_EQ(lines[6],
            "L'orario \xe8 un p\xf2 'tirato', non credo si riesca ad arrivare puntualissimi a "
            "Quarvel.");
  EXPECT_EQ(lines[7], "");
  EXPECT_NE(lines[1].find("'frenatore'"), std::string::npos);
  EXPECT_NE(lines[1].find("abilit\xe0"), std::string::npos);  // "à" is the one byte E0
  EXPECT_NE(lines[4].find("realt\xe0"), std::string::npos);
  EXPECT_NE(lines[4].find("Zenvro"), std::string::npos);
  EXPECT_FALSE(lines[8].empty());
  EXPECT_FALSE(lines[9].empty());
  EXPECT_EQ(bytes.find('\xc3'), std::string::npos) << "no UTF-8 sequence reaches the file";
  EXPECT_EQ(bytes.find("riferimento fine del file"), std::string::npos);
}

TEST(SlowdownList, IsFourEmptyLinesAndNessunaPrescrizione) {
  std::string bytes = written(&Form1::dati_rallentamenti, "Zenvro_Quarvel_2417_rallentamenti.txt");
  EXPECT_EQ(bytes, "\r\n\r\n\r\n\r\n" + repeat(25, ' ') + "NESSUNA PRESCRIZIONE\r\n");
  EXPECT_EQ(bytes.size(), 55u);
}

TEST(TimetableSheet, HeadingLinesAreMadeUpAsSpelledOut) {
  std::string bytes = written(&Form1::dati_scheda, "Zenvro_Quarvel_2417_scheda_treno.txt");
  EXPECT_EQ(bytes.size(), 3067u);
  std::vector<std::string> lines = crlf_lines(bytes);
  ASSERT_EQ(lines.size(), 42u);
  std::string b = " ";
  auto blanks = [](int n) { return repeat(n, ' '); };
  auto under = [](int n) { return repeat(n, '_'); };
  std::vector<std::pair<int, std::string>> expected = {
      {1, ""},
      {2, " "},
      {3, blanks(2) + under(19) + blanks(48) + under(14)},
      {4, b + "|" + blanks(19) + "|" + blanks(18) + "SCHEDA" + blanks(22) + "|" + blanks(14) + "|"},
      {5, b + "|" + blanks(3) + "TRENO n. 2417" + blanks(3) + "|" + blanks(16) + "da: ZENVRO C.le" +
              blanks(15) + "|" + blanks(4) + "V160 B" + blanks(4) + "|"},
      {6, b + "|" + under(19) + "|" + blanks(17) + "a: QUARVEL" + blanks(19) + "|" + blanks(5) +
              "120%" + blanks(5) + "|"},
      {7, blanks(68) + "|" + under(14) + "|"},
      {8, blanks(2) + under(19) + blanks(16) + under(19) + blanks(1)},
      {9, b + "|" + blanks(2) + "CLASSIFICAZIONE" + blanks(2) + "|" + blanks(14) + "|" + blanks(2) +
              "MASSA BLOCCATA" + blanks(3) + "|" + blanks(7)},
      {10, b + "|" + blanks(2) + "INTERREGIONALE" + blanks(3) + "|" + blanks(14) + "|" + blanks(6) +
               "400T" + blanks(9) + "|"},
      {11, b + "|" + under(19) + "|" + blanks(14) + "|" + under(19) + "|" + blanks(2)},
      {12, ""},
      {13, blanks(2) + under(80)},
      {14, " | Vel.| Vel.| Progr Km | No  |  Localita' di Servizio     |    Orario      | Rec |"},
      {15, " | Lim.|Marc.|          | Rs  |                            |                |     |"},
      {16, " |_____|_____|__________|_____|____________________________|________________|_____|"},
      {17, " |  30 |  30 |    0.000 |  30 | ZENVRO C.LE                |           8.25 |     |"},
      {18, " |  95 |  95 |    1.200 |  95 | Deviatoio di uscita        |       8.26     |     |"},
      {19, " | 105 |     |    2.000 | 105 | Cippo chilometro 2.000     |       8.27     |     |"},
      {39, " |     |     |   21.910 |     | QUARVEL                    |  9.42          | 0.5 |"},
      {41, ""},
      {42, ""},
  };
  for (const auto& [number, text] : expected)
    EXPECT_EQ(lines[number - 1], text) << "line " << number;
  EXPECT_EQ(lines[39], lines[15]);
}

// Lines 14 to 40 share one grid: a blank, then seven cells of widths 5, 5, 10, 5, 28, 16, 5,
// each closed by "|". Rows 25, 33 and 35 alone carry one blank after the last "|".
TEST(TimetableSheet, RowsKeepTheGrid) {
  std::string bytes = written(&Form1::dati_scheda, "Zenvro_Quarvel_2417_scheda_treno.txt");
  std::vector<std::string> lines = crlf_lines(bytes);
  ASSERT_EQ(lines.size(), 42u);
  const std::vector<size_t> bars = {1, 7, 13, 24, 30, 59, 76, 82};
  for (size_t n = 14; n <= 40; ++n) {
    const std::string& line = lines[n - 1];
    bool extra = n == 25 || n == 33 || n == 35;
    ASSERT_EQ(line.size(), extra ? 84u : 83u) << "line " << n;
    if (extra) {
      EXPECT_EQ(line.back(), ' ') << "line " << n;
    }
    std::vector<size_t> found;
    for (size_t i = 0; i < line.size(); ++i)
      if (line[i] == '|') found.push_back(i);
    EXPECT_EQ(found, bars) << "line " << n;
    EXPECT_EQ(line[0], ' ');
  }
  for (size_t n = 17; n <= 39; ++n) {
    const std::string& line = lines[n - 1];
    for (size_t start : {2, 8, 14, 25})  // number cells end with one blank
      EXPECT_EQ(line[start + (start == 14 ? 9 : 4)], ' ') << "line " << n;
    EXPECT_EQ(line[31], ' ') << "line " << n;  // the name follows one blank
    EXPECT_NE(line[32], ' ') << "line " << n;
    std::string rec = line.substr(77, 5);
    EXPECT_TRUE(rec == " 0.5 " || rec == "     ") << "line " << n;
  }
}

TEST(TimetableSheet, ReplacesAnOlderSheetOfAnyLength) {
  for (const std::string& old : {repeat(9000, 'x'), std::string("x\r\n")}) {
    std::string bytes = written(&Form1::dati_scheda, "Zenvro_Quarvel_2417_scheda_treno.txt", old);
    EXPECT_EQ(crlf_lines(bytes).size(), 42u);
    EXPECT_EQ(bytes.size(), 3067u);
  }
}

TEST(DriverDocuments, TheWritersOfARunLeaveExactlyTheFiveTextFiles) {
  temp_folder dir;
  Form1 form;
  write_in(form, dir);
  form.dati_linea();
  form.dati_treno();
  form.dati_note();
  form.dati_rallentamenti();
  form.dati_scheda();
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"Zenvro_Quarvel_linea.txt", "Zenvro_Quarvel_2417-.txt",
                                          "Zenvro_Quarvel_2417_note.txt",
                                          "Zenvro_Quarvel_2417_rallentamenti.txt",
                                          "Zenvro_Quarvel_2417_scheda_treno.txt"}));
  for (const std::string& name : names) {
    std::string bytes = read_file(dir.file(name));
    EXPECT_FALSE(crlf_lines(bytes).empty()) << name;
    EXPECT_EQ(bytes.find("riferimento fine del file"), std::string::npos) << name;
  }
}

}  // namespace
