#include "binary/binary_encoding.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct one_byte_then_short {
  uint8_t a;
  int16_t b;
};
void encode(byte_buffer& out, const one_byte_then_short& r) {
  out.u8(r.a);
  out.i16(r.b);
}

TEST(BinaryEncoding, RecordHasNoGaps) {
  byte_buffer out;
  encode(out, one_byte_then_short{7, -2});
  EXPECT_EQ(out.bytes(), std::string("\x07\xfe\xff", 3));
}

TEST(BinaryEncoding, TextHasLengthPrefix) {
  byte_buffer out;
  out.text("Zenvro_Quarvel");
  EXPECT_EQ(out.bytes(), std::string("\x0e\x00Zenvro_Quarvel", 16));
  byte_buffer empty;
  empty.text("");
  EXPECT_EQ(empty.bytes(), std::string("\x00\x00", 2));
  byte_buffer accented;
  accented.text("\xc3\xa8");  // è is one byte on disk
  EXPECT_EQ(accented.bytes(), std::string("\x01\x00\xe8", 3));
  byte_buffer too_long;
  EXPECT_THROW(too_long.text(std::string(65536, 'a')), std::length_error);
}

TEST(BinaryEncoding, VariantEntries) {
  byte_buffer out;
  out.variant({variant_int16, 1});
  out.variant({variant_empty, 0});
  out.variant({variant_double, 1.5});
  out.variant({variant_int32, -2});
  EXPECT_EQ(out.bytes(), std::string("\x02\x00\x01\x00"
                                     "\x00\x00"
                                     "\x05\x00\x00\x00\x00\x00\x00\x00\xf8\x3f"
                                     "\x03\x00\xfe\xff\xff\xff",
                                     4 + 2 + 10 + 6));
}

TEST(BinaryEncoding, TrackCellTakes15BytesInFieldOrder) {
  track_cell c{1, 0x0102, 0x0304, 0x0506, 0x0708, 9, 10, 11, 12, 13, 14};
  byte_buffer out;
  encode(out, c);
  EXPECT_EQ(out.bytes(), std::string("\x01\x02\x01\x04\x03\x06\x05\x08\x07\x09\x0a\x0b\x0c\x0d\x0e",
                                     15));
}

TEST(BinaryEncoding, ScenarioRecordTakes34BytesPlusText) {
  scenario_record r;
  r.tag = 8;
  r.number_1 = -800;
  r.text = "AB";
  r.short_1 = 610;
  r.byte_4 = 255;
  r.number_4 = 82875;
  byte_buffer out;
  encode(out, r);
  ASSERT_EQ(out.size(), 36u);
  EXPECT_EQ(out.bytes()[0], '\x08');
  EXPECT_EQ(out.bytes().substr(1, 4), std::string("\xe0\xfc\xff\xff", 4));
  EXPECT_EQ(out.bytes().substr(14, 4), std::string("\x02\x00" "AB", 4));
  EXPECT_EQ(out.bytes().substr(18, 2), std::string("\x62\x02", 2));
  EXPECT_EQ(out.bytes()[31], '\xff');
  EXPECT_EQ(out.bytes().substr(32, 4), std::string("\xbb\x43\x01\x00", 4));
}

TEST(BinaryEncoding, ScenarioRecordFieldsInFileOrder) {
  scenario_record r{0x01, 0x05040302, 0x09080706, 0x0d0c0b0a, 0x0e, "AB", 0x100f, 0x1211,
                    0x1413, 0x1615,     0x1817,     0x19,       0x1a, 0x1b, 0x1c, 0x201f1e1d};
  byte_buffer out;
  encode(out, r);
  EXPECT_EQ(out.bytes(), std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e"
                                     "\x02\x00" "AB"
                                     "\x0f\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1a\x1b\x1c"
                                     "\x1d\x1e\x1f\x20",
                                     36));
}

TEST(BinaryEncoding, ArrayStartsWithItsFirstElement) {
  std::vector<track_cell> cells(3);
  cells[0].kind = 6;
  cells[2].adhesion_code = 100;
  byte_buffer out;
  encode_array(out, cells);
  ASSERT_EQ(out.size(), 45u);
  EXPECT_EQ(out.bytes()[0], '\x06');
  EXPECT_EQ(out.bytes()[44], '\x64');
}

}  // namespace
