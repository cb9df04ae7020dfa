#include "lsp/documents.h"

#include <gtest/gtest.h>

#include "platform/utf8_path.h"
#include "testing/temp_folder.h"

namespace {

TEST(Documents, FileUrisAndPaths) {
  EXPECT_EQ(path_of_uri("file:///home/a%20b/Monte_linea.txt"), "/home/a b/Monte_linea.txt");
  EXPECT_EQ(path_of_uri("file://localhost/x/y.txt"), "/x/y.txt");
  EXPECT_EQ(path_of_uri("file://otherhost/x/y.txt"), "");
  EXPECT_EQ(path_of_uri("untitled:Untitled-1"), "");
  EXPECT_EQ(path_of_uri("file:///a%00b"), "");
  // A stray percent sign is kept as it is.
  EXPECT_EQ(path_of_uri("file:///a%zz%4"), "/a%zz%4");
  for (const char* path : {"/home/a b/Monte_linea.txt", "/x/\xc3\xa9t\xc3\xa9_1-.txt", "/p/100%_linea.txt"})
    EXPECT_EQ(path_of_uri(uri_of_path(path)), path);
  EXPECT_EQ(uri_of_path("/a b/x#1.txt"), "file:///a%20b/x%231.txt");
}

// An editor on Windows writes the drive after a slash, its colon often escaped.
TEST(Documents, FileUrisWithDrives) {
  if (!kPathsHaveDrives) {
    EXPECT_EQ(path_of_uri("file:///c%3A/Users/x/Monte_linea.txt"), "/c:/Users/x/Monte_linea.txt");
    return;
  }
  EXPECT_EQ(path_of_uri("file:///c%3A/Users/x/Monte_linea.txt"), "c:\\Users\\x\\Monte_linea.txt");
  EXPECT_EQ(path_of_uri("file:///C:/Citt%C3%A0/Monte_linea.txt"), "C:\\Citt\xc3\xa0\\Monte_linea.txt");
  EXPECT_EQ(uri_of_path("C:\\Users\\a b\\Monte_101-.txt"), "file:///C%3A/Users/a%20b/Monte_101-.txt");
  EXPECT_EQ(path_of_uri(uri_of_path("D:\\x\\Monte_linea.txt")), "D:\\x\\Monte_linea.txt");
}

TEST(Documents, KindsByName) {
  EXPECT_EQ(kind_of_path("/r/Monte_linea.txt"), source_kind::line);
  EXPECT_EQ(kind_of_path("/r/Monte_101-.txt"), source_kind::train);
  EXPECT_EQ(kind_of_path("/r/Val_di_Sole_7-.txt"), source_kind::train);
  EXPECT_EQ(kind_of_path("/r/notes.txt"), source_kind::none);
  EXPECT_EQ(kind_of_path("/r/101-.txt"), source_kind::none);
  EXPECT_EQ(kind_of_path(""), source_kind::none);
}

// A line file takes the train file of its route that was last touched among the open buffers,
// else the first by name on disk; a train file the line file of the longest route its name
// starts with.
TEST(Documents, PairsAsCheckWouldBeGivenThem) {
  temp_folder dir;
  for (const char* name : {"Val_linea.txt", "Val_di_Sole_linea.txt", "Val_di_Sole_7-.txt",
                           "Val_di_Sole_3-.txt", "Val_9-.txt", "Other_1-.txt"})
    write_file(dir.file(name), "[generale]\n");
  document_store open;

  source_pair p = pair_of(dir.file("Val_di_Sole_linea.txt"), open);
  EXPECT_EQ(p.train_path, dir.file("Val_di_Sole_3-.txt"));  // first on disk
  EXPECT_EQ(p.route, "Val_di_Sole");
  EXPECT_EQ(p.train, "3");
  open.put(uri_of_path(dir.file("Val_di_Sole_7-.txt")), "");
  open.put(uri_of_path(dir.file("Val_9-.txt")), "");
  p = pair_of(dir.file("Val_di_Sole_linea.txt"), open);
  EXPECT_EQ(p.train_path, dir.file("Val_di_Sole_7-.txt"));  // open
  EXPECT_FALSE(p.train_missing);

  p = pair_of(dir.file("Val_di_Sole_7-.txt"), open);
  EXPECT_EQ(p.line_path, dir.file("Val_di_Sole_linea.txt"));
  EXPECT_EQ(p.route, "Val_di_Sole");
  EXPECT_EQ(p.train, "7");
  p = pair_of(dir.file("Val_9-.txt"), open);
  EXPECT_EQ(p.line_path, dir.file("Val_linea.txt"));
  EXPECT_EQ(p.train, "9");

  // A half found nowhere is checked as an empty file under a name made from the other's.
  p = pair_of(dir.file("Other_1-.txt"), open);
  EXPECT_TRUE(p.line_missing);
  EXPECT_EQ(p.line_path, dir.file("Other_linea.txt"));
  EXPECT_EQ(p.route, "Other");
  p = pair_of(dir.file("Lone_linea.txt"), open);
  EXPECT_TRUE(p.train_missing);
  EXPECT_EQ(p.route, "Lone");
  EXPECT_FALSE(p.train.empty());

  // A buffer not yet saved pairs as well as a file on disk.
  open.put(uri_of_path(dir.file("New_linea.txt")), "");
  p = pair_of(dir.file("New_2-.txt"), open);
  EXPECT_FALSE(p.line_missing);
  EXPECT_EQ(p.line_path, dir.file("New_linea.txt"));
}

TEST(Documents, TheStoreHoldsEachUriOnce) {
  document_store open;
  open.put("file:///r/A_linea.txt", "one");
  const open_document& d = open.put("file:///r/A_linea.txt", "two");
  EXPECT_EQ(d.text, "two");
  EXPECT_EQ(d.kind, source_kind::line);
  EXPECT_EQ(open.all().size(), 1u);
  EXPECT_EQ(open.find_path("/r/A_linea.txt"), &d);
  open.close("file:///r/A_linea.txt");
  EXPECT_EQ(open.find("file:///r/A_linea.txt"), nullptr);
}

}  // namespace
