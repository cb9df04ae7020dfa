#include "files/line_table.h"

#include <gtest/gtest.h>

#include "files/atomic_file.h"
#include "testing/temp_folder.h"

namespace {

std::string write_and_read(const line_table& table, const std::string& old_content = {}) {
  temp_folder dir;
  if (!old_content.empty()) write_file(dir.file("doc.txt"), old_content);
  replace_file(dir.file("doc.txt"), text_file_bytes(table));
  return read_file(dir.file("doc.txt"));
}

TEST(TextWriter, WritesLinesBeforeTheMarkerWithCrLf) {
  EXPECT_EQ(write_and_read(make_line_table({"uno", "", " ", "\xc3\xa8"})),
            "uno\r\n\r\n \r\n\xe8\r\n");
}

TEST(TextWriter, MarkerFirstGivesAnEmptyFile) {
  line_table t = make_line_table();
  t[0] = end_marker;
  t[1] = "never written";
  EXPECT_EQ(write_and_read(t), "");
}

TEST(TextWriter, LongerOldFileIsFullyReplaced) {
  EXPECT_EQ(write_and_read(make_line_table({"new"}), std::string(5000, 'x')), "new\r\n");
}

TEST(TextWriter, TableWithoutMarkerIsRefused) {
  line_table t = make_line_table();
  for (auto& e : t) e = "x";
  EXPECT_THROW(text_file_bytes(t), std::logic_error);
}

TEST(TextWriter, MissingFolderIsAWriteFailure) {
  temp_folder dir;
  EXPECT_THROW(replace_file(dir.path() + "/missing-folder/doc.txt",
                            text_file_bytes(make_line_table({"a"}))),
               write_failure);
}

}  // namespace
