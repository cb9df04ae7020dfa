// The binary files of the built-in scenario, byte by byte where their layout fixes the bytes.
#include <gtest/gtest.h>

#include <sstream>

#include "form1/form1.h"
#include "binary/binary_decoding.h"
#include "files/cp1252.h"
#include "files/file_names.h"
#include "testing/temp_folder.h"
#include "cli/commands.h"

namespace {

std::string bytes_of(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

class BuiltinFiles : public testing::Test {
 protected:
  void SetUp() override {
    std::ostringstream out, err;
    ASSERT_EQ(scenario_compiler_main({"--out", dir.path()}, out, err), 0) << err.str();
    plan = read_file(dir.file("Zenvro_Quarvel_linea.dat"));
    records = read_file(dir.file("Zenvro_Quarvel_2417.sim"));
    cells = read_file(dir.file("Zenvro_Quarvel_2417.dat"));
  }
  temp_folder dir;
  std::string plan, records, cells;
};

TEST_F(BuiltinFiles, CellFileCarriesTheStampsInCell1) {
  ASSERT_EQ(cells.size(), 26715u);
  // Cell 1 at bytes 15 to 29: kind 0, value_1 5121, value_2 the plain check code 2520.
  EXPECT_EQ(cells.substr(15, 5), bytes_of({0x00, 0x01, 0x14, 0xD8, 0x09}));
}

TEST_F(BuiltinFiles, RecordFileHoldsTheNamesAndTheStampsInEntry85) {
  ASSERT_EQ(records.size(), 3164u);
  // Entry 85 starts after 85 entries of 34 bytes and their texts.
  std::vector<scenario_record> decoded = decode_records(records);
  size_t start = 0;
  for (int e = 0; e < 85; ++e) start += 34 + utf8_to_cp1252(decoded[e].text).size();
  EXPECT_EQ(records.substr(start + 14, 16), std::string("\x0e\x00Zenvro_Quarvel", 16));
  EXPECT_EQ(records.substr(start + 16 + 14, 2), bytes_of({0x62, 0x02}));
  // number_4: the weighted check code 35196.
  EXPECT_EQ(records.substr(start + 30 + 14, 4), bytes_of({0x7C, 0x89, 0x00, 0x00}));
  // Entry 86 follows at once: the train number.
  EXPECT_EQ(records.substr(start + 48 + 14, 6), std::string("\x04\x00" "2417", 6));
  EXPECT_EQ(start + 48 + 34 + 4, records.size());
}

TEST_F(BuiltinFiles, PlanFileLayout) {
  const size_t G = 89000;
  ASSERT_EQ(plan.size(), 20 * G - 36);
  EXPECT_EQ(plan.substr(0, 10), bytes_of({2, 0, 0, 0, 2, 0, 0, 0, 5, 0}));
  // The last two x entries are empty, then the y entries start with 0 and 1.
  EXPECT_EQ(plan.substr(10 * G - 32, 2), bytes_of({5, 0}));
  EXPECT_EQ(plan.substr(10 * G - 22, 4), bytes_of({0, 0, 0, 0}));
  EXPECT_EQ(plan.substr(10 * G - 18, 10), bytes_of({2, 0, 0, 0, 2, 0, 1, 0, 5, 0}));
  EXPECT_EQ(plan.substr(20 * G - 50, 2), bytes_of({5, 0}));
  EXPECT_EQ(plan.substr(20 * G - 40, 4), bytes_of({0, 0, 0, 0}));
}

TEST(BuiltinFinishing, LeavesTheGridWithoutSlowdownsUnchanged) {
  temp_folder dir;
  std::ostringstream console;
  Form1 form;
  form.console = &console;
  form.program_folder = dir.path();
  form.route_name = "Zenvro_Quarvel";
  form.train_number = "2417";
  form.dati_linea();
  form.dati_treno();
  form.plan_enabled = 0;
  form.memorizza_dati();
  ASSERT_EQ(form.error_code, 0) << console.str();
  std::vector<track_cell> compiled = form.track_cells;
  form.rifinisci_griglia();
  EXPECT_TRUE(form.track_cells == compiled);
}

}  // namespace
