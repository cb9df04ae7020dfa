// The one-shot run of the built-in scenario, as a user starts it.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/run_cli.h"
#include "testing/shell.h"
#include "testing/small_tmpfs.h"
#include "testing/temp_folder.h"
#include "cli/commands.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, uintmax_t> sizes_in(const std::string& folder) {
  std::map<std::string, uintmax_t> sizes;
  for (const auto& e : fs::directory_iterator(folder))
    sizes[e.path().filename().string()] = fs::file_size(e.path());
  return sizes;
}

TEST(BuiltinRun, LeavesTheDocumentsAndTheBinaryFiles) {
  temp_folder dir;
  cli_result r = run({"--out", dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Attendere\n");
  // Where each file went, that the run leaves.
  EXPECT_EQ(r.out, "wrote " + dir.file("Zenvro_Quarvel_2417_note.txt") + "\n" +
                       "wrote " + dir.file("Zenvro_Quarvel_2417_rallentamenti.txt") + "\n" +
                       "wrote " + dir.file("Zenvro_Quarvel_2417_scheda_treno.txt") + "\n" +
                       "wrote " + dir.file("Zenvro_Quarvel_linea.dat") + "\n" +
                       "wrote " + dir.file("Zenvro_Quarvel_2417.sim") + "\n" +
                       "wrote " + dir.file("Zenvro_Quarvel_2417.dat") + "\n");
  std::map<std::string, uintmax_t> sizes = sizes_in(dir.path());
  EXPECT_EQ(sizes.size(), 6u);
  EXPECT_EQ(sizes["Zenvro_Quarvel_linea.dat"], 1779964u);
  EXPECT_EQ(sizes["Zenvro_Quarvel_2417.sim"], 3164u);
  EXPECT_EQ(sizes["Zenvro_Quarvel_2417.dat"], 26715u);
  EXPECT_EQ(sizes["Zenvro_Quarvel_2417_rallentamenti.txt"], 55u);
  EXPECT_EQ(sizes["Zenvro_Quarvel_2417_scheda_treno.txt"], 3067u);
  EXPECT_EQ(sizes.count("Zenvro_Quarvel_2417_note.txt"), 1u);
}

TEST(BuiltinRun, NoPlanLeavesAnOlderPlanFileAlone) {
  temp_folder dir;
  write_file(dir.file("Zenvro_Quarvel_linea.dat"), "older");
  write_file(dir.file("Zenvro_Quarvel_2417.dat"), std::string(100000, 'x'));
  cli_result r = run({"--no-plan", "--out", dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(read_file(dir.file("Zenvro_Quarvel_linea.dat")), "older");
  EXPECT_EQ(r.out.find("linea.dat"), std::string::npos) << r.out;
  EXPECT_EQ(fs::file_size(dir.file("Zenvro_Quarvel_2417.dat")), 26715u);
}

TEST(BuiltinRun, WritesIntoTheExecutablesFolderByDefault) {
  temp_folder dir, elsewhere;
  const std::string copy = dir.file(fs::path(SC_EXECUTABLE).filename().string());
  fs::copy_file(SC_EXECUTABLE, copy);
  ASSERT_EQ(shell_status(shell_cd(elsewhere.path()) + " && " + shell_quoted(copy) + " 2>" +
                         kNullDevice),
            0);
  EXPECT_TRUE(file_present(dir.file("Zenvro_Quarvel_2417.sim")));
  EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

TEST(BuiltinRun, AReadOnlyFolderStopsTheRunWithStatus3) {
  small_tmpfs disk("4m");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  ASSERT_TRUE(disk.make_read_only());
  cli_result r = run({"--out", disk.path()});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "scenario-compiler: cannot write into " + disk.path() +
                       ": Read-only file system; give a folder to write the scenario into with "
                       "--out DIR\n");
  EXPECT_TRUE(fs::is_empty(disk.path()));
}

TEST(BuiltinRun, AFullDiskKeepsEveryEarlierFileAndLeavesNoPartialOne) {
  // Room for the text files but not for the 1.7 MB route plan.
  small_tmpfs disk("1m");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  write_file(disk.file("Zenvro_Quarvel_2417.sim"), "from an earlier run");
  cli_result r = run({"--out", disk.path()});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find("cannot write " + disk.file("Zenvro_Quarvel_linea.dat") +
                       ": No space left on device"),
            std::string::npos)
      << r.err;
  std::map<std::string, uintmax_t> sizes = sizes_in(disk.path());
  EXPECT_EQ(sizes.count("Zenvro_Quarvel_linea.dat"), 0u);
  EXPECT_EQ(read_file(disk.file("Zenvro_Quarvel_2417.sim")), "from an earlier run");
  EXPECT_EQ(sizes["Zenvro_Quarvel_2417_scheda_treno.txt"], 3067u);
  EXPECT_EQ(sizes.size(), 4u);  // the three documents and the earlier .sim: no temporary file
}

// An author's edited source by the name the run writes and deletes: nothing is written, the
// file stays byte for byte, and the message says how to go on.
TEST(BuiltinRun, RefusesToReplaceAnAuthorsSource) {
  for (const char* name : {"Zenvro_Quarvel_linea.txt", "Zenvro_Quarvel_2417-.txt"}) {
    temp_folder dir;
    write_file(dir.file(name), "an hour of editing\r\n");
    cli_result r = run({"--out", dir.path()});
    EXPECT_EQ(r.status, 3) << name;
    EXPECT_EQ(r.err.rfind("scenario-compiler: " + dir.file(name) + " already exists;", 0), 0u)
        << r.err;
    EXPECT_NE(r.err.find("run in another folder"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("scenario-compiler compile"), std::string::npos) << r.err;
    EXPECT_EQ(read_file(dir.file(name)), "an hour of editing\r\n");
    EXPECT_EQ(sizes_in(dir.path()).size(), 1u) << name;
  }
}

}  // namespace
