#include "platform/file_kind.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_folder.h"

namespace {

TEST(FileKind, TellsWhatStandsAtAPath) {
  temp_folder dir;
  write_file(dir.file("plain.txt"), "x");
  std::filesystem::create_directory(dir.file("sub"));
  struct case_ {
    std::string path;
    file_kind kind;
  } cases[] = {
      {dir.file("plain.txt"), file_kind::regular},
      {dir.file("sub"), file_kind::folder},
      {dir.file("absent.txt"), file_kind::missing},
      {dir.file("absent/below.txt"), file_kind::missing},
  };
  for (const case_& c : cases) {
    EXPECT_EQ(kind_of_file(c.path), c.kind) << c.path;
    EXPECT_EQ(kind_of_entry(c.path), c.kind) << c.path;
  }
}

// A link is followed by kind_of_file and seen as itself by kind_of_entry: the built-in run
// refuses to write over any entry in the way, a dangling link included.
TEST(FileKind, ALinkIsFollowedOnlyWhenAsked) {
  temp_folder dir;
  std::filesystem::create_directory(dir.file("sub"));
  if (!make_symlink(dir.file("sub"), dir.file("to-sub"), true)) GTEST_SKIP() << kNoSymlinks;
  ASSERT_TRUE(make_symlink(dir.file("nowhere"), dir.file("dangling")));
  EXPECT_EQ(kind_of_file(dir.file("to-sub")), file_kind::folder);
  EXPECT_EQ(kind_of_entry(dir.file("to-sub")), file_kind::other);
  EXPECT_EQ(kind_of_file(dir.file("dangling")), file_kind::missing);
  EXPECT_EQ(kind_of_entry(dir.file("dangling")), file_kind::other);
}

}  // namespace
