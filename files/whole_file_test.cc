#include "files/whole_file.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace {

// The bound is on the file's size: a file of exactly the bound is read whole, one byte more is
// refused without its bytes.
TEST(WholeFile, SizeBound) {
  temp_folder t;
  write_file(t.file("ten"), "0123456789");
  whole_file at = read_whole_file(t.file("ten"), 10);
  EXPECT_TRUE(at.ok) << at.reason;
  EXPECT_EQ(at.bytes, "0123456789");
  whole_file over = read_whole_file(t.file("ten"), 9);
  EXPECT_FALSE(over.ok);
  EXPECT_FALSE(over.missing);
  EXPECT_EQ(over.bytes, "");
  EXPECT_EQ(over.reason, "it is larger than 9 bytes, the most a file of its kind may take");
}

// A link to a regular file is read; a missing file says so.
TEST(WholeFile, LinksAndMissingFiles) {
  temp_folder t;
  write_file(t.file("real"), "abc");
  whole_file none = read_whole_file(t.file("none"));
  EXPECT_FALSE(none.ok);
  EXPECT_TRUE(none.missing);
  if (!make_symlink(t.file("real"), t.file("link"))) GTEST_SKIP() << kNoSymlinks;
  EXPECT_EQ(read_whole_file(t.file("link")).bytes, "abc");
}

}  // namespace
