#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "binary/binary_decoding.h"
#include "cli/run_cli.h"
#include "testing/system_words.h"
#include "testing/temp_folder.h"
#include "cli/commands.h"

namespace {

namespace fs = std::filesystem;

// A short route: 1000 m, so cells 0 to 160 and plan metres 0 to 8000.
const std::string kLine =
    "[generale]\r\n"
    "lunghezza percorso,    1000\r\n"
    "sfondo uno,    1\r\n"
    "[curve]\r\n"
    "curvad6,  100,  200\r\n"
    "[pendenze]\r\n"
    "pendenza,  0,   0\r\n"
    "pendenza,  400,   5\r\n"
    "[cartelli]\r\n"
    "indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0\r\n"
    "[fine]\r\n";
const std::string kTrain =
    "[generale]\r\n"
    "numero vetture,    8\r\n"
    "[vel_limite]\r\n"
    "velocita,   0,    30\r\n"
    "[aderenze]\r\n"
    "aderenza,   0,    100\r\n"
    "[fine]\r\n";

// The variable that names the temporary folder, and its setting.
#ifdef _WIN32
const char* const kTempVariable = "TMP";
void set_variable(const char* name, const std::string& value) { _putenv_s(name, value.c_str()); }
void unset_variable(const char* name) { _putenv_s(name, ""); }
#else
const char* const kTempVariable = "TMPDIR";
void set_variable(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }
void unset_variable(const char* name) { unsetenv(name); }
#endif

// An author's folder with the two sources, an output folder and a private temporary folder
// that must be empty again after every run.
class CompileCommand : public testing::Test {
 protected:
  void SetUp() override {
    const char* old = getenv(kTempVariable);
    old_tmpdir_ = old ? old : "";
    had_tmpdir_ = old != nullptr;
    set_variable(kTempVariable, tmp.path());
    fs::create_directory(out_dir());
    write_sources(kLine, kTrain);
  }
  void TearDown() override {
    EXPECT_EQ(names_in(tmp.path()), std::vector<std::string>{}) << "the private folder stayed";
    if (had_tmpdir_) set_variable(kTempVariable, old_tmpdir_);
    else unset_variable(kTempVariable);
  }

  void write_sources(const std::string& line, const std::string& train) {
    write_file(line_path(), line);
    write_file(train_path(), train);
  }
  std::string line_path() const { return author.file("Mini_linea.txt"); }
  std::string train_path() const { return author.file("Mini_42-.txt"); }
  std::string out_dir() const { return author.file("out"); }
  std::string out_file(const std::string& name) const { return path_in(out_dir(), name); }

  cli_result compile(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"compile", line_path(), train_path(), "--out", out_dir()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }

  temp_folder author;
  temp_folder tmp;

 private:
  std::string old_tmpdir_;
  bool had_tmpdir_ = false;
};

TEST_F(CompileCommand, WritesTheBinaryFilesAndLeavesTheSourcesAlone) {
  cli_result r = compile();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(names_in(out_dir()),
            (std::vector<std::string>{"Mini_42.dat", "Mini_42.sim", "Mini_linea.dat"}));
  EXPECT_EQ(read_file(line_path()), kLine);
  EXPECT_EQ(read_file(train_path()), kTrain);
  EXPECT_EQ(names_in(author.path()),
            (std::vector<std::string>{"Mini_42-.txt", "Mini_linea.txt", "out"}));

  // Names taken from the file names, and the shape of each file.
  std::vector<scenario_record> records = decode_records(read_file(out_file("Mini_42.sim")));
  EXPECT_EQ(records[route_name_entry].text, "Mini");
  EXPECT_EQ(records[train_number_entry].text, "42");
  EXPECT_EQ(records[route_length_entry].number_2, 1000);
  EXPECT_EQ(records[route_name_entry].short_1, 610);
  std::vector<track_cell> cells = decode_cells(read_file(out_file("Mini_42.dat")));
  ASSERT_EQ(cells.size(), 161u);
  EXPECT_EQ(cells[1].value_1, 5121);
  EXPECT_EQ(cells[17].kind, kind_speed_board);
  EXPECT_EQ(read_file(out_file("Mini_linea.dat")).size(), 20u * 8000 - 36);
}

// The sources are compiled from memory: no temporary folder is needed, so one that cannot be
// made is no obstacle.
TEST_F(CompileCommand, NeedsNoTemporaryFolder) {
  set_variable(kTempVariable, author.file("no-such-folder"));
  cli_result r = compile();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(names_in(out_dir()),
            (std::vector<std::string>{"Mini_42.dat", "Mini_42.sim", "Mini_linea.dat"}));
}

TEST_F(CompileCommand, NamesGivenOnTheCommandLine) {
  fs::rename(line_path(), author.file("line.txt"));
  fs::rename(train_path(), author.file("train.txt"));
  cli_result r = run({"compile", author.file("line.txt"), author.file("train.txt"), "--out",
                      out_dir(), "--route", "Other", "--train", "9"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(names_in(out_dir()),
            (std::vector<std::string>{"Other_9.dat", "Other_9.sim", "Other_linea.dat"}));
  EXPECT_EQ(decode_records(read_file(out_file("Other_9.sim")))[85].text, "Other");
}

// Accented letters, the euro sign and a '?' of the user's own all have a Windows-1252 form
// (Windows names no file with a '?': a '#' stands there for it).
TEST_F(CompileCommand, NamesInTheCodePageAreKept) {
#ifdef _WIN32
  const std::string train = "4#2";
#else
  const std::string train = "4?2";
#endif
  cli_result r = compile({"--route", "Citt\xc3\xa0\xe2\x82\xac", "--train", train});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto records =
      decode_records(read_file(out_file("Citt\xc3\xa0\xe2\x82\xac_" + train + ".sim")));
  EXPECT_EQ(records[85].text, "Citt\xc3\xa0\xe2\x82\xac");
  EXPECT_EQ(records[86].text, train);
}

TEST_F(CompileCommand, NoPlanLeavesAnOlderPlanFileAlone) {
  write_file(out_file("Mini_linea.dat"), "old plan");
  cli_result r = compile({"--no-plan"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read_file(out_file("Mini_linea.dat")), "old plan");
  EXPECT_TRUE(file_present(out_file("Mini_42.sim")));
  EXPECT_TRUE(file_present(out_file("Mini_42.dat")));
  // ... and says so, since render would draw it with the new files.
  EXPECT_EQ(r.err, "scenario-compiler: kept " + out_file("Mini_linea.dat") +
                       " as it was: --no-plan writes no plan, so it is an earlier compile's, and "
                       "render draws it with these files; compile without --no-plan to write it "
                       "anew, or remove it\n");
  // Without an older plan there is nothing to say.
  fs::remove(out_file("Mini_linea.dat"));
  EXPECT_EQ(compile({"--no-plan"}).err, "");
}

// A run killed with SIGKILL cannot remove its temporary files: the next run into the folder
// removes those of the files it writes, and only those.
TEST_F(CompileCommand, RemovesTheTemporaryFilesAKilledRunLeft) {
  const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
  const std::vector<std::string> left = {".Mini_42.sim.a1B2c3", ".Mini_42.dat.ZZZZZZ",
                                         ".Mini_linea.dat.000000"};
  const std::vector<std::string> kept = {
      ".Mini_42.sim.a1B2c",     // not six letters
      ".Mini_43.dat.a1B2c3",    // another train's
      ".Mini_42.sim.a1B2c!",    // not a letter or digit
      "Mini_42.sim.a1B2c3",     // not hidden
      ".Mini_42.dat.fresh1"};   // newer than the run: another run's, perhaps still writing
  for (const std::string& name : left) write_file(out_file(name), "partial");
  for (const std::string& name : kept) write_file(out_file(name), "kept");
  for (const std::string& name : left) fs::last_write_time(out_file(name), an_hour_ago);
  for (const std::string& name : kept)
    if (name != ".Mini_42.dat.fresh1") fs::last_write_time(out_file(name), an_hour_ago);
  fs::last_write_time(out_file(".Mini_42.dat.fresh1"),
                      fs::file_time_type::clock::now() + std::chrono::hours(1));

  cli_result r = compile({"--no-plan"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const std::string& name : left) {
    EXPECT_FALSE(file_present(out_file(name))) << name;
    EXPECT_NE(r.err.find("scenario-compiler: removed " + out_file(name) +
                         ", a temporary file an interrupted run left\n"),
              std::string::npos)
        << r.err;
  }
  for (const std::string& name : kept) EXPECT_TRUE(file_present(out_file(name))) << name;
}

TEST_F(CompileCommand, DiagnosticsNameTheAuthorsFileAndLine) {
  // Line 8 puts a gradient beyond the grid: reported against the author's file, not the copy.
  std::string line = kLine;
  line.replace(line.find("pendenza,  400,   5"), 19, "pendenza,  9000,   5");
  write_sources(line, kTrain);
  cli_result r = compile();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(line_path() + ":8:12: error 15: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("pendenza,  9000,   5\n"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find(tmp.path()), std::string::npos) << r.err;
  EXPECT_EQ(read_file(line_path()), line);
}

TEST_F(CompileCommand, PrintsTheFilesWritten) {
  cli_result r = compile();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "wrote " + out_file("Mini_linea.dat") + "\nwrote " + out_file("Mini_42.sim") +
                       "\nwrote " + out_file("Mini_42.dat") + "\n");
  r = compile({"--no-plan"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "wrote " + out_file("Mini_42.sim") + "\nwrote " + out_file("Mini_42.dat") + "\n");
}

// A station 20 m off the grid (code 8) leaves the .sim without it: the good files of the last
// compile stay, and the run says nothing was written, unless the author asks for the partial
// result.
TEST_F(CompileCommand, AFaultWritesNoFileUnlessAsked) {
  ASSERT_EQ(compile().status, 0);
  const std::string good_sim = read_file(out_file("Mini_42.sim"));
  const std::string good_cells = read_file(out_file("Mini_42.dat"));
  std::string train = kTrain;
  train.replace(train.find("[fine]"), 6,
                "stazione, 420, 1, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 0, BORGO\r\n[fine]");
  write_sources(kLine, train);

  cli_result r = compile();
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("error 8: "), std::string::npos) << r.err;
  EXPECT_TRUE(r.err.ends_with("\nscenario-compiler: no file written (--emit-on-fault writes "
                              "them despite the faults)\n"))
      << r.err;
  EXPECT_EQ(read_file(out_file("Mini_42.sim")), good_sim);
  EXPECT_EQ(read_file(out_file("Mini_42.dat")), good_cells);

  r = compile({"--emit-on-fault"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "wrote " + out_file("Mini_linea.dat") + "\nwrote " + out_file("Mini_42.sim") +
                       "\nwrote " + out_file("Mini_42.dat") + "\n");
  EXPECT_EQ(r.err.find("no file written"), std::string::npos) << r.err;
  EXPECT_NE(read_file(out_file("Mini_42.sim")), good_sim);
}

TEST_F(CompileCommand, TrainFileDiagnosticsNameTheAuthorsFile) {
  std::string train = kTrain;
  train.replace(train.find("velocita,   0,    30"), 20, "velocita,   99999,    30");
  write_sources(kLine, train);
  cli_result r = compile();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(train_path() + ":4:13: error 15: "), std::string::npos) << r.err;
}

struct guard_case {
  const char* name;
  const char* board;  // a speed board at position 0, in cell 1
  const char* shown;
};

class CompileGuard : public CompileCommand, public testing::WithParamInterface<guard_case> {};

TEST_P(CompileGuard, EndsTheRunWithoutWritingAnyBinaryFile) {
  std::string line = kLine;
  line.replace(line.find("[fine]"), 6, std::string(GetParam().board) + "\r\n[fine]");
  write_sources(line, kTrain);
  for (const char* name : {"Mini_linea.dat", "Mini_42.sim", "Mini_42.dat"})
    write_file(out_file(name), std::string("old ") + name);
  cli_result r = compile();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(std::string(" Errore n. ") + GetParam().shown + "\n"), std::string::npos)
      << r.err;
  for (const char* name : {"Mini_linea.dat", "Mini_42.sim", "Mini_42.dat"})
    EXPECT_EQ(read_file(out_file(name)), std::string("old ") + name);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, CompileGuard,
    testing::Values(
        // Category A's speed fills value_1 of cell 1.
        guard_case{"fixed_stamp", "indicatori_vmax,  0,  30,  30,  30,  0,  ,  ,  ,  0", "1250"},
        // Only category B's speed: value_1 stays 0 and value_2 is taken.
        guard_case{"check_code", "indicatori_vmax,  0,  0,  30,  0,  0,  ,  ,  ,  0", "1251"}),
    [](const testing::TestParamInfo<guard_case>& test) { return test.param.name; });

struct no_output_case {
  const char* name;
  std::string line;
  const char* says;
};

void PrintTo(const no_output_case& c, std::ostream* os) { *os << c.name; }

class NoOutput : public CompileCommand, public testing::WithParamInterface<no_output_case> {};

// The compiler ended before a usable grid exists: no binary file, the code reported, status 1.
TEST_P(NoOutput, WritesNoBinaryFile) {
  write_sources(GetParam().line, kTrain);
  for (bool plan : {true, false}) {
    cli_result r = compile(plan ? std::vector<std::string>{} : std::vector<std::string>{"--no-plan"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
    EXPECT_TRUE(r.err.ends_with("\nscenario-compiler: no file written (--emit-on-fault writes "
                                "them despite the faults)\n"))
        << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(names_in(out_dir()), std::vector<std::string>{});
    // Even when asked for, there is nothing to write without a grid.
    r = compile({"--emit-on-fault"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.ends_with("\nscenario-compiler: no file written\n")) << r.err;
    EXPECT_EQ(read_file(train_path()), kTrain);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, NoOutput,
    testing::Values(
        no_output_case{"no_general_section", "no general section here\r\n", "error 102: "},
        no_output_case{"no_route_length", "[generale]\r\n[curve]\r\n[fine]\r\n", "error 25: "},
        // An earlier route length row made a grid; code 1 still means no files.
        no_output_case{"route_too_long_after_a_grid",
                       "[generale]\r\nlunghezza percorso,    1000\r\n"
                       "lunghezza percorso,    1000001\r\n[curve]\r\n[fine]\r\n",
                       "error 1: "},
        // A negative length would leave no cell 1 for the stamps.
        no_output_case{"negative_route_length",
                       "[generale]\r\nlunghezza percorso,    -1\r\n[curve]\r\n[fine]\r\n",
                       "error 25: "}),
    [](const testing::TestParamInfo<no_output_case>& test) { return test.param.name; });

TEST_F(CompileCommand, ASourceThatCannotBeReadIsOneMessage) {
  fs::remove(train_path());
  cli_result r = compile();
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "scenario-compiler: cannot read " + train_path() +
                       ": " + system_words(failure_kind::no_such_file) + "\n");
  EXPECT_EQ(names_in(out_dir()), std::vector<std::string>{});
  EXPECT_EQ(read_file(line_path()), kLine);
}

TEST_F(CompileCommand, ASourceThatIsAFolderIsOneMessage) {
  fs::remove(line_path());
  fs::create_directory(line_path());
  cli_result r = compile();
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "scenario-compiler: cannot read " + line_path() + ": it is a folder\n");
  EXPECT_EQ(names_in(out_dir()), std::vector<std::string>{});
}

// A folder standing where an output goes: one message naming it, no file of the set replaced
// (the others are not written either), nothing of it is lost and no temporary file is left.
TEST_F(CompileCommand, AnOutputThatIsAFolderIsStatus3) {
  fs::create_directory(out_file("Mini_42.dat"));
  write_file(out_file("Mini_42.dat/keep"), "mine");
  cli_result r = compile();
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "scenario-compiler: error: cannot write " + out_file("Mini_42.dat") +
                       ": Is a directory; nothing was replaced\n");
  EXPECT_EQ(read_file(out_file("Mini_42.dat/keep")), "mine");
  EXPECT_EQ(names_in(out_dir()), std::vector<std::string>{"Mini_42.dat"});
}

TEST_F(CompileCommand, AnOutputFolderThatCannotBeWrittenIsStatus3) {
  cli_result r = run({"compile", line_path(), train_path(), "--out", author.file("nowhere")});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "scenario-compiler: cannot write into " + author.file("nowhere") +
                       ": no such folder\n");
}

TEST_F(CompileCommand, WrongUsage) {
  fs::copy_file(line_path(), author.file("line.txt"));
  fs::copy_file(train_path(), author.file("train.txt"));
  struct usage_case {
    std::vector<std::string> args;
    const char* says;
  };
  for (const usage_case& u : std::vector<usage_case>{
           {{"compile"}, "needs LINE_FILE and TRAIN_FILE"},
           {{"compile", line_path()}, "needs LINE_FILE and TRAIN_FILE"},
           {{"compile", line_path(), train_path(), "extra"}, "unexpected extra"},
           {{"compile", author.file("line.txt"), train_path()}, "--route"},
           {{"compile", line_path(), author.file("train.txt")}, "--train"},
           {{"compile", line_path(), train_path(), "--route", "a/b"}, "route name"},
           {{"compile", line_path(), train_path(), "--bogus"}, "unknown option --bogus"},
           // Stored as "??" in the record file, with check codes computed from it.
           {{"compile", line_path(), train_path(), "--route", "\xe6\x97\xa5\xe6\x9c\xac"},
            "the route name '\xe6\x97\xa5\xe6\x9c\xac' has a character that Windows-1252 lacks"},
           {{"compile", line_path(), train_path(), "--train", "4\xce\xa9" "2?"},
            "the train number '4\xce\xa9" "2?' has a character that Windows-1252 lacks"},
           // Writing Mini_42.dat over a source named so would change the author's file.
           {{"compile", line_path(), author.file("Mini_42.dat"), "--out", author.path(),
             "--train", "42"},
            "is the source"},
       }) {
    if (u.args.size() > 2 && u.args[2] == author.file("Mini_42.dat"))
      write_file(author.file("Mini_42.dat"), kTrain);
    cli_result r = run(u.args);
    EXPECT_EQ(r.status, 2) << u.says;
    EXPECT_NE(r.err.find(u.says), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: scenario-compiler compile"), std::string::npos) << r.err;
  }
  EXPECT_EQ(read_file(author.file("Mini_42.dat")), kTrain);
  EXPECT_EQ(names_in(out_dir()), std::vector<std::string>{});
}

}  // namespace
