#include "platform/native_file.h"

#include <gtest/gtest.h>

#include "platform/regular_file.h"
#include "testing/temp_folder.h"

namespace {

native_file made(const std::string& path) {
  bool exists = false;
  std::string error;
  native_file f = create_new_file(path, exists, error);
  EXPECT_NE(f, no_native_file) << error;
  EXPECT_FALSE(exists);
  return f;
}

TEST(NativeFile, ANewFileIsNeverOneThatIsThere) {
  temp_folder dir;
  write_file(dir.file("taken"), "old");
  bool exists = false;
  std::string error;
  EXPECT_EQ(create_new_file(dir.file("taken"), exists, error), no_native_file);
  EXPECT_TRUE(exists);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(read_file(dir.file("taken")), "old");
  // A missing folder is a failure, not a taken name.
  EXPECT_EQ(create_new_file(dir.file("absent/f"), exists, error), no_native_file);
  EXPECT_FALSE(exists);
}

TEST(NativeFile, WrittenFlushedAndRenamedOverItsTarget) {
  temp_folder dir;
  write_file(dir.file("target"), "the old bytes, longer than the new");
  native_file f = made(dir.file(".target.tmp"));
  EXPECT_EQ(write_native_file(f, "new\r\n"), "");
  EXPECT_EQ(write_native_file(f, std::string(100000, 'b')), "");
  EXPECT_EQ(flush_native_file(f), "");
  EXPECT_EQ(close_native_file(f), "");
  EXPECT_EQ(rename_over(dir.file(".target.tmp"), dir.file("target")), "");
  EXPECT_EQ(read_file(dir.file("target")), "new\r\n" + std::string(100000, 'b'));
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"target"});
  EXPECT_FALSE(rename_over(dir.file("gone"), dir.file("target")).empty());
}

TEST(NativeFile, RemovedAndTheFolderLocked) {
  temp_folder dir;
  write_file(dir.file("f"), "x");
  remove_file_now(dir.file("f").c_str());
  EXPECT_FALSE(file_present(dir.file("f")));
  native_file lock = lock_folder(dir.path());
  EXPECT_NE(lock, no_native_file);
  unlock_folder(lock);
  EXPECT_EQ(lock_folder(dir.file("absent")), no_native_file);
}

TEST(RegularFile, ReadsWholeWithinItsBound) {
  temp_folder dir;
  write_file(dir.file("f"), "12345");
  std::filesystem::create_directory(dir.file("sub"));
  regular_file_read whole = read_regular_file(dir.file("f"), 5);
  EXPECT_TRUE(whole.ok);
  EXPECT_EQ(whole.bytes, "12345");
  regular_file_read large = read_regular_file(dir.file("f"), 4);
  EXPECT_FALSE(large.ok);
  EXPECT_TRUE(large.too_large);
  EXPECT_EQ(large.bytes, "");
  regular_file_read folder = read_regular_file(dir.file("sub"), 100);
  EXPECT_FALSE(folder.ok);
  EXPECT_EQ(folder.kind, file_kind::folder);
  regular_file_read missing = read_regular_file(dir.file("absent"), 100);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.kind, file_kind::missing);
  EXPECT_FALSE(missing.error.empty());
}

}  // namespace
