#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "cli/run_cli.h"
#include "files/line_table.h"
#include "builtin/builtin_scenario.h"
#include "testing/system_words.h"
#include "testing/temp_folder.h"
#include "cli/commands.h"

namespace {

const std::string kLineFile = "Zenvro_Quarvel_linea.txt";
const std::string kTrainFile = "Zenvro_Quarvel_2417-.txt";

TEST(Export, WritesTheTwoSourcesAndTouchesNothingElse) {
  temp_folder dir;
  write_file(dir.file("notes of mine.txt"), "keep me\n");
  write_file(dir.file(kLineFile), std::string(30000, 'x'));  // an old export, longer
  cli_result r = run({"export", "--out", dir.path()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(names_in(dir.path()),
            (std::vector<std::string>{kTrainFile, kLineFile, "notes of mine.txt"}));
  EXPECT_EQ(read_file(dir.file("notes of mine.txt")), "keep me\n");
  EXPECT_EQ(read_file(dir.file(kLineFile)), text_file_bytes(make_line_table(builtin_line_rows())));
  EXPECT_EQ(read_file(dir.file(kTrainFile)),
            text_file_bytes(make_line_table(builtin_train_rows())));
  EXPECT_NE(r.out.find(dir.file(kLineFile)), std::string::npos);
  EXPECT_NE(r.out.find(dir.file(kTrainFile)), std::string::npos);
}

TEST(Export, WritesIntoTheCurrentFolderByDefault) {
  temp_folder dir;
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  cli_result r = run({"export"});
  std::filesystem::current_path(before);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{kTrainFile, kLineFile}));
}

TEST(Export, AFolderThatCannotBeWrittenGivesOneMessageAndStatus3) {
  temp_folder dir;
  write_file(dir.file("plain"), "not a folder");
  cli_result r = run({"export", "--out", dir.file("plain")});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  EXPECT_NE(r.err.find(kLineFile), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(system_words(failure_kind::not_a_folder)), std::string::npos) << r.err;
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"plain"});
  EXPECT_EQ(read_file(dir.file("plain")), "not a folder");
}

TEST(Export, WrongUsageExitsWith2) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"export", "extra"},
                                               {"export", "--no-plan"},
                                               {"export", "--out"}}) {
    cli_result r = run(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_NE(r.err.find("usage: scenario-compiler export"), std::string::npos) << r.err;
  }
}

}  // namespace
