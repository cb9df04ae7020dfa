#include "binary/binary_decoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "binary/binary_encoding.h"

namespace {

std::string encoded(const std::vector<track_cell>& cells) {
  byte_buffer out;
  encode_array(out, cells);
  return out.bytes();
}

std::string encoded(const std::vector<scenario_record>& records) {
  byte_buffer out;
  encode_array(out, records);
  return out.bytes();
}

std::string encoded(const route_plan_table& plan) {
  byte_buffer out;
  for (size_t i = 0; i < plan.entry_count(); ++i) out.variant({plan.types[i], plan.values[i]});
  return out.bytes();
}

// The offset a decoder names for `bytes`, or -1 when they decode.
template <class Decode>
long fault_offset(Decode decode, const std::string& bytes, std::string* message = nullptr) {
  try {
    decode(bytes);
  } catch (const decoding_fault& f) {
    if (message) *message = f.message;
    return static_cast<long>(f.offset);
  }
  return -1;
}

std::vector<scenario_record> sample_records() {
  std::vector<scenario_record> records(scenario_record_count);
  records[1] = {1, 2, -3, 2147483647, 255, "ZENVRO CENTRALE", -32768, 2, 3, 4, 32767, 1, 2, 3, 255,
                -2147483647 - 1};
  records[first_board_entry].text = "(Km. 2.256)";
  records[route_name_entry].text = "Zenvro_Quarvel";
  records[route_name_entry].short_1 = 610;
  records[route_name_entry].number_4 = 82875;
  records[train_number_entry].text = "2417";
  records[40].text = "citt\xc3\xa0 \xe2\x82\xac";  // "città €": one byte each on disk
  return records;
}

TEST(BinaryDecoding, CellsRoundTrip) {
  std::vector<track_cell> cells(4);
  cells[0] = {255, -32768, 32767, -1, 1, 255, 254, 3, 24, 100, 200};
  cells[1] = {1, 5121, 1234, 0, 0, 0, 0, 0, 0, 0, 0};
  cells[3].adhesion_code = 7;
  EXPECT_EQ(decode_cells(encoded(cells)), cells);
}

TEST(BinaryDecoding, RecordsRoundTrip) {
  std::vector<scenario_record> records = sample_records();
  std::string bytes = encoded(records);
  ASSERT_EQ(bytes.size(), 2958u + 15 + 11 + 14 + 4 + 7);
  EXPECT_EQ(decode_records(bytes), records);
}

TEST(BinaryDecoding, PlanRoundTripKeepsTypesAndEveryBit) {
  route_plan_table plan;
  plan.create(4);
  plan.set_int16(0, 0, 0);
  plan.set_int16(1, 1, 1);
  plan.set_int16(2, 0, -32768);
  plan.set_double(3, 0, -0.0);
  plan.set_double(2, 1, 0.1 + 0.2);
  plan.set_double(3, 1, std::numeric_limits<double>::denorm_min());
  plan.types[plan.index(4, 0)] = variant_int32;
  plan.values[plan.index(4, 0)] = -2147483648.0;
  std::string bytes = encoded(plan);
  route_plan_table back = decode_plan(bytes);
  EXPECT_EQ(back.upper, 4);
  EXPECT_EQ(back.types, plan.types);
  EXPECT_EQ(encoded(back), bytes);
  EXPECT_TRUE(std::signbit(back.coordinate(3, 0)));
}

TEST(BinaryDecoding, DamagedCellFilesNameTheOffset) {
  std::string two = encoded(std::vector<track_cell>(2));
  struct damage {
    const char* name;
    std::string bytes;
    long offset;
  };
  for (const damage& d : {damage{"empty", "", 0}, damage{"one byte over", two + "x", 30},
                          damage{"fourteen bytes short", two.substr(0, 16), 15},
                          damage{"one byte", "x", 0}}) {
    EXPECT_EQ(fault_offset(decode_cells, d.bytes), d.offset) << d.name;
  }
}

TEST(BinaryDecoding, DamagedRecordFilesNameTheOffset) {
  std::string good = encoded(sample_records());
  std::string empty_texts = encoded(std::vector<scenario_record>(scenario_record_count));
  // Entry 0's text claims 2 bytes of entry 0's shorts: every later field is read 2 bytes late
  // and entry 86's number_4 finds only 2 bytes.
  std::string text_too_long = empty_texts;
  text_too_long[14] = '\x02';
  std::string text_past_end = empty_texts;
  text_past_end[text_past_end.size() - 34 + 14] = '\x40';  // entry 86's text: 64 bytes, 18 left
  struct damage {
    const char* name;
    std::string bytes;
    long offset;
    const char* says;
  };
  for (const damage& d : {
           damage{"empty", "", 0, "entry 0's tag"},
           damage{"ends inside number_3", good.substr(0, 10), 9, "entry 0's number_3"},
           damage{"last byte missing", good.substr(0, good.size() - 1),
                  static_cast<long>(good.size()) - 4, "entry 86's number_4"},
           damage{"trailing byte", good + '\0', static_cast<long>(good.size()), "follow entry 86"},
           damage{"text past the end", text_past_end,
                  static_cast<long>(text_past_end.size()) - 20, "entry 86's text"},
           damage{"text too long", text_too_long, static_cast<long>(empty_texts.size()) - 2,
                  "entry 86's number_4"},
       }) {
    std::string message;
    long offset = fault_offset(decode_records, d.bytes, &message);
    EXPECT_EQ(offset, d.offset) << d.name;
    EXPECT_NE(message.find(d.says), std::string::npos) << d.name << ": " << message;
  }
}

TEST(BinaryDecoding, DamagedPlanFilesNameTheOffset) {
  route_plan_table plan;
  plan.create(2);
  plan.set_int16(0, 0, 0);
  plan.set_int16(0, 1, 0);
  plan.set_double(1, 0, 1.5);
  plan.set_double(1, 1, 2.5);
  std::string good = encoded(plan);  // x: int16, double, empty; y: int16, double, empty
  ASSERT_EQ(good.size(), 2 * (4 + 10 + 2));
  std::string bad_code = good;
  bad_code[16 + 4] = '\x07';  // y of metre 1
  std::string huge_code = good;
  huge_code[5] = '\x01';  // x of metre 1: type code 0x0105
  struct damage {
    const char* name;
    std::string bytes;
    long offset;
    const char* says;
  };
  for (const damage& d : {
           damage{"empty", "", 0, "empty"},
           damage{"bad type code", bad_code, 20, "type code 7"},
           damage{"type code with a high byte", huge_code, 4, "type code 261"},
           damage{"odd number of entries", good + std::string("\x00\x00", 2), 34, "odd"},
           damage{"double cut short", good.substr(0, 10), 6, "8 bytes needed, 4 left"},
           damage{"type code cut short", good.substr(0, 15), 14, "type code"},
       }) {
    std::string message;
    EXPECT_EQ(fault_offset(decode_plan, d.bytes, &message), d.offset) << d.name;
    EXPECT_NE(message.find(d.says), std::string::npos) << d.name << ": " << message;
  }
  EXPECT_EQ(decode_plan(good).upper, 2);
}

}  // namespace
