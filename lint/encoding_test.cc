#include "lint/encoding.h"

#include <gtest/gtest.h>

#include "text/utf8.h"

namespace {

TEST(Encoding, OnlyValidUtf8BeyondAsciiIsTold) {
  EXPECT_FALSE(is_utf8_beyond_ascii("plain"));
  EXPECT_FALSE(is_utf8_beyond_ascii("Citt\xE0"));  // Windows-1252 already
  EXPECT_TRUE(is_utf8_beyond_ascii("Citt\xC3\xA0"));
  EXPECT_TRUE(encoding_warnings({"t.txt", "Citt\xE0\r\n"}).empty());
}

// The warning stands at the line's first character beyond ASCII and shows the field holding it,
// trimmed as the reader trims it; a second such field on the line adds nothing.
TEST(Encoding, OneWarningALineAtItsFirstFieldBeyondAscii) {
  const std::vector<diagnostic> told =
      encoding_warnings({"t.txt", "a\r\nstazione, 1,  Citt\xC3\xA0 nuova , \xC3\xA8\r\nb, \xC3\xA8\n"});
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0].where.line, 2);
  EXPECT_EQ(told[0].where.column, 19);
  EXPECT_EQ(told[0].where.text, "stazione, 1,  Citt\xC3\xA0 nuova , \xC3\xA8");
  EXPECT_EQ(told[0].detail,
            "the file is UTF-8 but is read as Windows-1252: \"Citt\xC3\xA0 nuova\" will read as "
            "\"Citt\xC3\x83\xC2\xA0 nuova\"; save the file as Windows-1252 or give --encoding utf-8");
  EXPECT_EQ(told[1].where.line, 3);
  EXPECT_EQ(told[1].where.column, 4);
}

TEST(Encoding, ConvertsToWindows1252) {
  std::vector<diagnostic> errors;
  EXPECT_EQ(utf8_to_windows_1252({"t.txt", "a\r\nCitt\xC3\xA0 \xE2\x82\xAC\r\n"}, errors),
            "a\r\nCitt\xE0 \x80\r\n");
  EXPECT_TRUE(errors.empty());
}

TEST(Encoding, ACharacterWithoutAFormIsAnErrorAtItsPlace) {
  std::vector<diagnostic> errors;
  utf8_to_windows_1252({"t.txt", "x\r\nstazione, 1, \xC5\x91z\r\n"}, errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].level, severity::error);
  EXPECT_EQ(errors[0].where.line, 2);
  EXPECT_EQ(errors[0].where.column, 14);
  EXPECT_EQ(errors[0].detail, "\"\xC5\x91\" (U+0151) has no Windows-1252 form");
}

TEST(Encoding, BytesThatAreNoUtf8AreAnErrorNamingThem) {
  struct fault_case {
    std::string line;
    int column;
    std::string detail;
  };
  for (const fault_case& c : {
           // A lenient reading makes a NUL of C0 80, which would reach the record file.
           fault_case{"stazione, 1, CAT\xC0\x80", 17, "the bytes C0 80 are not UTF-8 (an overlong form)"},
           fault_case{"stazione, 1, \xED\xA0\x80", 14, "the bytes ED A0 80 are not UTF-8 (a surrogate)"},
           // Windows-1252 given as UTF-8: the letter's byte starts a sequence the comma cuts.
           fault_case{"stazione, 1, CITT\xC0, 5", 18, "the bytes C0 are not UTF-8 (a sequence cut short)"},
       }) {
    std::vector<diagnostic> errors;
    utf8_to_windows_1252({"t.txt", "x\r\n" + c.line + "\r\n"}, errors);
    ASSERT_EQ(errors.size(), 1u) << c.detail;
    EXPECT_EQ(errors[0].level, severity::error);
    EXPECT_EQ(errors[0].where.line, 2);
    EXPECT_EQ(errors[0].where.column, c.column);
    EXPECT_EQ(errors[0].detail, c.detail);
    EXPECT_TRUE(is_valid_utf8(errors[0].where.text)) << errors[0].where.text;
  }
}

// A file of UTF-8 names with one byte that is none (a Windows-1252 letter pasted in): the names
// are converted all the same, and the byte is an error at its place, not the file read as it is.
TEST(Encoding, OneByteThatIsNoUtf8LeavesTheRestConverted) {
  std::vector<diagnostic> errors;
  const std::string converted = utf8_to_windows_1252(
      {"t.txt", "stazione, 1, CITT\xC3\x80\r\nnota, caff\xE9\r\nstazione, 2, PER\xC3\x99\r\n"},
      errors);
  EXPECT_EQ(converted, "stazione, 1, CITT\xC0\r\nnota, caff?\r\nstazione, 2, PER\xD9\r\n");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].where.file, "t.txt");
  EXPECT_EQ(errors[0].where.line, 2);
  EXPECT_EQ(errors[0].where.column, 11);
  EXPECT_EQ(errors[0].detail, "the bytes E9 are not UTF-8 (a sequence cut short)");
}

TEST(Encoding, OneErrorALineHoweverManyBadBytes) {
  std::vector<diagnostic> errors;
  const std::string bad(100000, '\xFF');
  utf8_to_windows_1252({"t.txt", bad + "\r\nok\r\n" + bad}, errors);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1].where.line, 3);
  EXPECT_LE(errors[0].where.text.size(), 400u + 80u);
}

TEST(Encoding, AByteOrderMarkIsTheMarkNotText) {
  std::vector<diagnostic> errors;
  EXPECT_EQ(utf8_to_windows_1252({"t.txt", "\xEF\xBB\xBF[generale]\r\nCitt\xC3\xA0\r\n"}, errors),
            "[generale]\r\nCitt\xE0\r\n");
  EXPECT_TRUE(errors.empty());
}

}  // namespace
