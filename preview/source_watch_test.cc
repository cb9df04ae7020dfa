#include "preview/source_watch.h"

#include <cstdio>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using clock_type = source_watch::clock;
namespace fs = std::filesystem;

struct change_case {
  const char* name;
  std::function<void(const temp_folder&)> change;
};

// Sets a file's time back to that of `like`, so that only its identity or size can tell.
void copy_times(const std::string& path, const std::string& like) {
  fs::last_write_time(path, fs::last_write_time(like));
}

const change_case kChanges[] = {
    {"write", [](const temp_folder& f) { write_file(f.file("a.txt"), "second text, longer\n"); }},
    {"same size, other time",
     [](const temp_folder& f) {
       const auto before = fs::last_write_time(f.file("a.txt"));
       write_file(f.file("a.txt"), "TEXT ONE\n");
       fs::last_write_time(f.file("a.txt"), before - std::chrono::hours(1));
     }},
    {"rename over, same size and time",
     [](const temp_folder& f) {
       write_file(f.file("a.txt.new"), "TEXT ONE\n");
       copy_times(f.file("a.txt.new"), f.file("a.txt"));
       fs::rename(f.file("a.txt.new"), f.file("a.txt"));
     }},
    {"delete", [](const temp_folder& f) { fs::remove(f.file("a.txt")); }},
    {"a folder in its place",
     [](const temp_folder& f) {
       fs::remove(f.file("a.txt"));
       fs::create_directory(f.file("a.txt"));
     }},
#ifndef _WIN32
    // Windows has no mode that keeps its owner from reading a file.
    {"made unreadable",
     [](const temp_folder& f) { fs::permissions(f.file("a.txt"), fs::perms::none); }},
#endif
    {"the other file",
     [](const temp_folder& f) { write_file(f.file("b.txt"), "b, changed\n"); }},
};

TEST(SourceWatch, EachKindOfSaveIsDueOnceAfterTheSettleTime) {
  for (const change_case& c : kChanges) {
    SCOPED_TRACE(c.name);
    temp_folder folder;
    write_file(folder.file("a.txt"), "text one\n");
    write_file(folder.file("b.txt"), "b\n");
    const auto t0 = clock_type::now();
    source_watch watch({folder.file("a.txt"), folder.file("b.txt")}, 30ms);
    EXPECT_FALSE(watch.poll(t0));  // nothing changed since the start
    c.change(folder);
    EXPECT_FALSE(watch.poll(t0 + 10ms));  // seen, but not yet still for 30 ms
    EXPECT_FALSE(watch.poll(t0 + 39ms));
    EXPECT_TRUE(watch.poll(t0 + 40ms));
    EXPECT_FALSE(watch.poll(t0 + 80ms));  // due once
  }
}

TEST(SourceWatch, AFileDeletedAndMadeAgainIsDueAgain) {
  temp_folder folder;
  const std::string a = folder.file("a.txt");
  write_file(a, "one\n");
  const auto t0 = clock_type::now();
  source_watch watch({a}, 30ms);
  fs::remove(a);
  EXPECT_FALSE(watch.poll(t0));
  EXPECT_TRUE(watch.poll(t0 + 30ms));
  EXPECT_FALSE(watch.poll(t0 + 200ms));  // still gone: nothing new
  write_file(a, "one\n");
  EXPECT_FALSE(watch.poll(t0 + 210ms));
  EXPECT_TRUE(watch.poll(t0 + 240ms));
}

TEST(SourceWatch, ABurstOfSavesIsDueOnceAfterTheLast) {
  temp_folder folder;
  const std::string a = folder.file("a.txt");
  write_file(a, "0\n");
  const auto t0 = clock_type::now();
  source_watch watch({a}, 30ms);
  int due = 0;
  // A save every 20 ms for 200 ms, looked at every 5 ms: never 30 ms still until the end.
  for (int ms = 0; ms <= 300; ms += 5) {
    if (ms % 20 == 0 && ms <= 200) write_file(a, std::string(static_cast<size_t>(ms / 20 + 2), 'x'));
    if (watch.poll(t0 + std::chrono::milliseconds(ms))) {
      ++due;
      EXPECT_GE(ms, 230);
    }
  }
  EXPECT_EQ(due, 1);
}

TEST(SourceWatch, StampsTellWhatStandsAtThePath) {
  temp_folder folder;
  write_file(folder.file("f"), "abc");
  EXPECT_EQ(stamp_of(folder.file("f")).what, file_stamp::kind::regular);
  EXPECT_EQ(stamp_of(folder.file("f")).size, 3);
  EXPECT_EQ(stamp_of(folder.path()).what, file_stamp::kind::folder);
  EXPECT_EQ(stamp_of(folder.file("none")).what, file_stamp::kind::missing);
  EXPECT_EQ(stamp_of(folder.file("none")).error, 0);
  EXPECT_EQ(stamp_of(folder.file("f/under-a-file")).what, file_stamp::kind::missing);
}

}  // namespace
