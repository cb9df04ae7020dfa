#include <gtest/gtest.h>

#include <sstream>

#include "form1/form1.h"

namespace {

struct codes {
  int32_t weighted;
  int32_t plain;
  bool operator==(const codes&) const = default;
};

std::ostream& operator<<(std::ostream& o, const codes& c) {
  return o << "weighted " << c.weighted << ", plain " << c.plain;
}

codes codes_of(const std::string& route, const std::string& train) {
  Form1 form;
  form.scenario_records[route_name_entry].text = route;
  form.scenario_records[train_number_entry].text = train;
  return {form.codice_gara_st(), form.codice_gara_og()};
}

TEST(CheckCodes, BuiltInNames) {
  // Key: "2417zenvro_quarvel" and the first 7 characters of the pad, "mmnnppq".
  EXPECT_EQ(codes_of("Zenvro_Quarvel", "2417"), (codes{35196, 2520}));
}

TEST(CheckCodes, CapitalsCountAsLowerCase) {
  EXPECT_EQ(codes_of("ZENVRO_QUARVEL", "2417"), codes_of("zenvro_quarvel", "2417"));
  EXPECT_EQ(codes_of("Zenvro_Quarvel", "2417"), codes_of("zenvro_quarvel", "2417"));
}

TEST(CheckCodes, SwappingTwoCharactersChangesOnlyTheWeightedCode) {
  codes before = codes_of("Zenvro_Quarvel", "2417");
  codes after = codes_of("Zenvro_Quarvel", "4217");
  EXPECT_EQ(after.plain, before.plain);
  EXPECT_NE(after.weighted, before.weighted);
  // "4" moves to place 1 and "2" to place 2.
  EXPECT_EQ(after.weighted - before.weighted, ('4' - '2') * 1 + ('2' - '4') * 2);
}

TEST(CheckCodes, OnlyTheFirst25CharactersCount) {
  // 4 + 21 characters: the pad takes no part and a longer name changes nothing.
  codes full = codes_of("abcdefghijklmnopqrstu", "1234");
  EXPECT_EQ(codes_of("abcdefghijklmnopqrstuvwxyz", "1234"), full);
  EXPECT_NE(codes_of("abcdefghijklmnopqrst", "1234"), full);
}

TEST(CheckCodes, CharactersCountByTheirWindows1252Code) {
  // "ÿ" is the byte 255; letters outside A to Z are not lower-cased.
  std::string y25;
  for (int i = 0; i < 25; ++i) y25 += "\xc3\xbf";
  EXPECT_EQ(codes_of(y25, ""), (codes{82875, 6375}));
  // "€" is 0x80 in Windows-1252, not its Unicode code point.
  codes euro = codes_of("\xe2\x82\xac", "");
  codes a = codes_of("a", "");
  EXPECT_EQ(euro.plain - a.plain, 0x80 - 'a');
}

// A small grid whose stamping slots are free, with the built-in names in entries 85 and 86.
void make_stampable(Form1& form, std::ostringstream& console) {
  form.console = &console;
  form.track_cells.assign(5, track_cell{});
  form.last_cell_index = 4;
  form.scenario_records[route_name_entry].text = "Zenvro_Quarvel";
  form.scenario_records[train_number_entry].text = "2417";
}

TEST(Stamping, FillsTheFourSlots) {
  std::ostringstream console;
  Form1 form;
  make_stampable(form, console);
  form.timbra_codici();
  EXPECT_EQ(form.scenario_records[route_name_entry].short_1, 610);
  EXPECT_EQ(form.track_cells[1].value_1, 5121);
  EXPECT_EQ(form.scenario_records[route_name_entry].number_4, 35196);
  EXPECT_EQ(form.track_cells[1].value_2, 2520);
  EXPECT_EQ(console.str(), "");
}

TEST(Stamping, TheWeightedCodeIsStoredWhole) {
  std::ostringstream console;
  Form1 form;
  make_stampable(form, console);
  form.scenario_records[route_name_entry].text.clear();
  for (int i = 0; i < 25; ++i) form.scenario_records[route_name_entry].text += "\xc3\xbf";
  form.scenario_records[train_number_entry].text.clear();
  form.timbra_codici();
  EXPECT_EQ(form.scenario_records[route_name_entry].number_4, 82875);
  EXPECT_EQ(form.track_cells[1].value_2, 6375);
}

struct guard_case {
  const char* name;
  void (*occupy)(Form1&);
  const char* shown;
};

void PrintTo(const guard_case& c, std::ostream* os) { *os << c.name; }

class StampingGuard : public testing::TestWithParam<guard_case> {};

TEST_P(StampingGuard, EndsTheRunWithTheCode) {
  std::ostringstream console;
  Form1 form;
  make_stampable(form, console);
  GetParam().occupy(form);
  try {
    form.timbra_codici();
    FAIL() << "the guard let the stamping through";
  } catch (const program_end& end) {
    EXPECT_EQ(end.status, 1);
  }
  EXPECT_EQ(console.str(), std::string(" Errore n. ") + GetParam().shown + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Slots, StampingGuard,
    testing::Values(
        guard_case{"A", [](Form1& f) { f.scenario_records[route_name_entry].short_1 = -1; },
                   "1250"},
        guard_case{"B", [](Form1& f) { f.track_cells[1].value_1 = 1; }, "1250"},
        guard_case{"C", [](Form1& f) { f.scenario_records[route_name_entry].number_4 = 1; },
                   "1251"},
        guard_case{"D", [](Form1& f) { f.track_cells[1].value_2 = 7; }, "1251"}),
    [](const testing::TestParamInfo<guard_case>& param_info) { return param_info.param.name; });

}  // namespace
