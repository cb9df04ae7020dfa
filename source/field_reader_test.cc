#include "source/field_reader.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

namespace {

// A read of one field: the kind asked for and the value expected.
using expected_field = std::variant<std::string, int32_t>;

struct reading_case {
  const char* input;
  std::vector<expected_field> fields;
  bool at_end_after;
};

void PrintTo(const reading_case& c, std::ostream* os) { *os << testing::PrintToString(std::string(c.input)); }

class FieldReaderCases : public testing::TestWithParam<reading_case> {};

TEST_P(FieldReaderCases, ReadsFieldsInOrder) {
  const reading_case& c = GetParam();
  field_reader r(c.input);
  for (const expected_field& f : c.fields) {
    if (auto* text = std::get_if<std::string>(&f))
      EXPECT_EQ(r.read_text(), *text);
    else
      EXPECT_EQ(r.read_int32(), std::get<int32_t>(f));
  }
  EXPECT_EQ(r.at_end(), c.at_end_after);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FieldReaderCases,
    testing::Values(
        reading_case{"lunghezza percorso,    82000\r\n", {"lunghezza percorso", 82000}, true},
        reading_case{"progressiva chilometrica uno,    9600,    -9550,    0\r\n",
                     {"progressiva chilometrica uno", 9600, -9550, 0}, true},
        reading_case{"curvad6,  1000,  400\r\n", {"curvad6", "1000", "400"}, true},
        // A number field read as text gives its digits.
        reading_case{"    82000\r\n", {"82000"}, true},
        // Numbers separated by blanks alone; the next read starts on the following line.
        reading_case{"orologio,    8               24            15 \r\n[aderenze]\r\n",
                     {"orologio", 8, 24, 15, "[aderenze]"}, true},
        // Empty number fields read as 0.
        reading_case{"indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0\r\n",
                     {"indicatori_vmax", 800, 30, 30, 30, 0, 0, 0, 0, 0}, true},
        // Inner blanks belong to a text field; a line that holds only a header is one field.
        reading_case{"stazione,  8, ZENVRO CENTRALE\r\n[generale]\r\n",
                     {"stazione", 8, "ZENVRO CENTRALE", "[generale]"}, true},
        // A read never discards the rest of a line.
        reading_case{"a, b, c\r\n", {"a", "b"}, false},
        // A lone LF ends a line too, and so does the end of a file without a last line end.
        reading_case{"pendenza,  0,   0\npendenza,  1200,   5",
                     {"pendenza", 0, 0, "pendenza", 1200, 5}, true},
        // Windows-1252 bytes become UTF-8.
        reading_case{"citt\xe0\r\n", {"citt\xc3\xa0"}, true}));

TEST(FieldReader, WidthLimits) {
  struct limit_case {
    const char* input;
    int width;  // 8, 16 or 32
    bool fits;
  };
  const limit_case cases[] = {
      {"255\r\n", 8, true},          {"256\r\n", 8, false},        {"-1\r\n", 8, false},
      {"0\r\n", 8, true},            {"32767\r\n", 16, true},      {"32768\r\n", 16, false},
      {"-32768\r\n", 16, true},      {"-32769\r\n", 16, false},    {"2147483647\r\n", 32, true},
      {"2147483648\r\n", 32, false}, {"-2147483648\r\n", 32, true}, {"-2147483649\r\n", 32, false},
      {"99999999999999999999999\r\n", 32, false},
  };
  for (const limit_case& c : cases) {
    field_reader r(c.input);
    auto read = [&] {
      if (c.width == 8) return static_cast<int64_t>(r.read_uint8());
      if (c.width == 16) return static_cast<int64_t>(r.read_int16());
      return static_cast<int64_t>(r.read_int32());
    };
    if (c.fits)
      EXPECT_NO_THROW(read()) << c.input;
    else
      EXPECT_THROW(read(), reading_fault) << c.input;
  }
}

TEST(FieldReader, RejectsWhatIsNotANumber) {
  for (const char* input : {"12a,\r\n", "abc\r\n", "-,\r\n", "+5\r\n", "1.5\r\n"}) {
    field_reader r(input);
    EXPECT_THROW(r.read_int32(), reading_fault) << input;
  }
}

TEST(FieldReader, ReadAtTheEndIsAFault) {
  field_reader r("[fine]\r\n");
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.read_text(), "[fine]");
  EXPECT_TRUE(r.at_end());
  EXPECT_THROW(r.read_text(), reading_fault);
  EXPECT_THROW(r.read_int32(), reading_fault);
}

TEST(FieldReader, FaultNamesLineColumnAndText) {
  field_reader r("pendenza,  0,   0\r\npendenza,  12x0,   5\r\n");
  r.read_text();
  r.read_int32();
  r.read_int32();
  r.read_text();
  try {
    r.read_int32();
    FAIL() << "no fault";
  } catch (const reading_fault& f) {
    EXPECT_EQ(f.line, 2);
    EXPECT_EQ(f.column, 12);
    EXPECT_EQ(f.line_text, "pendenza,  12x0,   5");
    EXPECT_STREQ(f.what(), "\"12x0\" is not a number");
  }
}

TEST(FieldReader, FieldLineFollowsTheReads) {
  field_reader r("[generale]\r\n\r\nsabbia,    300\r\n");
  EXPECT_EQ(r.read_text(), "[generale]");
  EXPECT_EQ(r.field_line(), 1);
  EXPECT_EQ(r.read_text(), "");  // the empty line is an empty field
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_EQ(r.read_text(), "sabbia");
  EXPECT_EQ(r.field_line(), 3);
  EXPECT_EQ(r.field_line_text(), "sabbia,    300");
}

// A long field is quoted by its first characters and its length, and the line shown with a
// fault is cut, so a megabyte of digits is not echoed back.
TEST(FieldReader, LongFieldsAreQuotedByTheirStart) {
  const std::string digits(1000000, '7');
  struct long_case {
    std::string row;
    std::string message;
  };
  for (const long_case& c :
       {long_case{"x, " + digits + "x\r\n",
                  "\"" + digits.substr(0, 80) + "...\" (1000001 characters) is not a number"},
        long_case{"x, " + digits + "\r\n",
                  digits.substr(0, 80) +
                      "... (1000000 characters) does not fit a 32-bit field (-2147483648 to "
                      "2147483647)"},
        long_case{"x, " + digits.substr(0, 79) + "x\r\n",
                  "\"" + digits.substr(0, 79) + "x\" is not a number"}}) {
    field_reader r(c.row);
    r.read_text();
    try {
      r.read_int32();
      FAIL() << "no fault";
    } catch (const reading_fault& f) {
      EXPECT_EQ(f.what(), c.message);
      EXPECT_EQ(f.column, 4);
      EXPECT_LE(f.line_text.size(), kShownLine + 3);
      EXPECT_EQ(f.line_text.substr(0, 4), "x, 7");
    }
  }
}

// A fault far along a long line keeps the line up to a little past its field, so the caret
// points into the text shown.
TEST(FieldReader, AFaultFarAlongALongLine) {
  std::string row;
  for (int i = 0; i < 300; ++i) row += "a,";
  field_reader r(row + "1x" + std::string(1000, 'a') + "\r\n");
  for (int i = 0; i < 300; ++i) r.read_text();
  try {
    r.read_int32();
    FAIL() << "no fault";
  } catch (const reading_fault& f) {
    EXPECT_EQ(f.column, 601);
    EXPECT_EQ(f.line_text.size(), 600u + kQuotedField + 3);
    EXPECT_EQ(f.line_text.substr(598, 4), "a,1x");
    EXPECT_TRUE(f.line_text.ends_with("aaa..."));
  }
}

// The line text of an earlier row can be asked for after later rows were read.
TEST(FieldReader, LineTextAtAnEarlierRow) {
  field_reader r("sabbia,    300\r\npendenza,  0\r\n");
  r.read_text();
  const size_t first = r.field_line_offset();
  r.read_int32();
  r.read_text();
  EXPECT_EQ(r.line_text_at(first), "sabbia,    300");
  EXPECT_EQ(r.field_line_text(), "pendenza,  0");
}

}  // namespace
