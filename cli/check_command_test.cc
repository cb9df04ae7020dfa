#include <gtest/gtest.h>

#include "cli/commands.h"
#include "cli/run_cli.h"
#include "lint/lint.h"
#include "testing/temp_folder.h"

namespace {

// A short route: 1000 m with one station and one signal; clean as it stands.
const std::string kLine =
    "[generale]\r\n"                // 1
    "lunghezza percorso, 1000\r\n"  // 2
    "[pendenze]\r\n"                // 3
    "pendenza, 0, 0\r\n"            // 4
    "pendenza, 400, 5\r\n"          // 5
    "[fine]\r\n";                   // 6
const std::string kTrain =
    "[generale]\r\n"
    "velocita, 0, 100\r\n"
    "aderenza, 0, 100\r\n"
    "stazione, 500, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,25,0, ALFA\r\n"
    "segnale, 400, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"
    "[fine]\r\n";

class CheckCommand : public testing::Test {
 protected:
  void SetUp() override { write_sources(kLine, kTrain); }
  void write_sources(const std::string& line, const std::string& train) {
    write_file(line_path(), line);
    write_file(train_path(), train);
  }
  std::string line_path() const { return author.file("Mini_linea.txt"); }
  std::string train_path() const { return author.file("Mini_42-.txt"); }
  cli_result check(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"check", line_path(), train_path()};
    args.insert(args.end(), extra.begin(), extra.end());
    cli_result r = run(args);
    // Whatever the outcome, the folder holds the two sources and nothing else.
    EXPECT_EQ(names_in(author.path()),
              (std::vector<std::string>{"Mini_42-.txt", "Mini_linea.txt"}));
    return r;
  }
  temp_folder author;
};

TEST_F(CheckCommand, TheBuiltInSourcesAreClean) {
  temp_folder exported;
  ASSERT_EQ(run({"export", "--out", exported.path()}).status, 0);
  cli_result r = run({"check", exported.file("Zenvro_Quarvel_linea.txt"),
                      exported.file("Zenvro_Quarvel_2417-.txt")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "Zenvro_Quarvel_2417: route 82000 m, 15 stations, 41 signals, 0 slowdowns; "
            "0 errors, 0 warnings\n");
  EXPECT_EQ(names_in(exported.path()),
            (std::vector<std::string>{"Zenvro_Quarvel_2417-.txt", "Zenvro_Quarvel_linea.txt"}));
}

TEST_F(CheckCommand, WarningsLeaveTheStatusClean) {
  write_sources(kLine, "[generale]\r\nvelocta, 0, 100\r\n" + kTrain.substr(12));
  cli_result r = check();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, author.file("Mini_42-.txt") +
                       ":2:1: warning: \"velocta\" starts no row of the train file: the line is "
                       "passed over; did you mean \"velocita\"? [-Wunknown-row]\n"
                       "velocta, 0, 100\n^\n");
  EXPECT_EQ(r.out,
            "Mini_42: route 1000 m, 1 station, 1 signal, 0 slowdowns; 0 errors, 1 warning\n");
}

TEST_F(CheckCommand, WerrorAndSilencing) {
  write_sources(kLine, "[generale]\r\nvelocta, 0, 100\r\n" + kTrain.substr(12));
  cli_result strict = check({"--werror"});
  EXPECT_EQ(strict.status, 1);
  EXPECT_NE(strict.err.find(":2:1: error: \"velocta\""), std::string::npos) << strict.err;
  EXPECT_NE(strict.err.find("[-Werror=unknown-row]"), std::string::npos) << strict.err;
  EXPECT_NE(strict.out.find("1 error, 0 warnings"), std::string::npos) << strict.out;

  cli_result quiet = check({"--werror", "-Wno-unknown-row"});
  EXPECT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.err, "");

  cli_result wrong = check({"-Wno-spelling"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("unknown warning -Wno-spelling"), std::string::npos);
}

// The warning on line 5 comes before the compiler's error on line 6, which it explains.
TEST_F(CheckCommand, WarningsAndErrorsInLineOrder) {
  write_sources(
      "[generale]\r\nlunghezza percorso, 1000\r\n[pendenze]\r\npendenza, 0, 0\r\n"
      "pendenza, 400\r\npendenza, 600, 2\r\npendnza, 800, 1\r\n[fine]\r\n",
      kTrain);
  cli_result r = check();
  EXPECT_EQ(r.status, 1);
  const size_t warning = r.err.find("Mini_linea.txt:5:14: warning: the \"pendenza\" row ends");
  const size_t error = r.err.find("Mini_linea.txt:6:1: error 25");
  const size_t misspelt = r.err.find("Mini_linea.txt:7:1: warning: \"pendnza\"");
  ASSERT_NE(warning, std::string::npos) << r.err;
  ASSERT_NE(error, std::string::npos) << r.err;
  ASSERT_NE(misspelt, std::string::npos) << r.err;
  EXPECT_LT(warning, error);
  EXPECT_LT(error, misspelt);
  // The counts stop where the compile stopped, and the summary says so.
  EXPECT_NE(r.out.find(" slowdowns, counted up to the compile's first error; 1 error, 2 warnings"),
            std::string::npos)
      << r.out;
}

TEST_F(CheckCommand, AnErrorWritesNothing) {
  write_sources(kLine, "[generale]\r\nvelocita, 90000, 100\r\n");
  cli_result r = check();
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("error 15"), std::string::npos) << r.err;
}

TEST_F(CheckCommand, UsageAndUnreadableFiles) {
  EXPECT_EQ(run({"check", line_path()}).status, 2);
  EXPECT_EQ(run({"check", line_path(), train_path(), "--encoding", "latin-9"}).status, 2);
  cli_result missing = run({"check", line_path(), author.file("Mini_7-.txt")});
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}

const std::string kUtf8Train =
    "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 100\r\n"
    "stazione, 500, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,25,0, CITT\xC3\x80\r\n[fine]\r\n";

TEST_F(CheckCommand, Utf8IsWarnedOfOrConverted) {
  write_sources(kLine, kUtf8Train);
  cli_result as_is = check();
  EXPECT_EQ(as_is.status, 0);
  EXPECT_NE(as_is.err.find("will read as \"CITT\xC3\x83\xE2\x82\xAC\""), std::string::npos)
      << as_is.err;
  cli_result converted = check({"--encoding", "utf-8"});
  EXPECT_EQ(converted.status, 0);
  EXPECT_EQ(converted.err, "");

  std::string no_form = kUtf8Train;
  no_form.replace(no_form.find("CITT"), 4, "\xC5\x90");  // U+0150, not in Windows-1252
  write_sources(kLine, no_form);
  cli_result refused = check({"--encoding", "utf-8"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find(":4:57: error: \"\xC5\x90\" (U+0150) has no Windows-1252 form"),
            std::string::npos)
      << refused.err;
  EXPECT_NE(refused.out.find("1 station, 0 signals, 0 slowdowns; 1 error, 0 warnings"),
            std::string::npos)
      << refused.out;
}

// A character without a Windows-1252 form is told at its line, among the others.
TEST_F(CheckCommand, AnEncodingErrorStandsInLineOrder) {
  std::string train = kUtf8Train;
  train.replace(train.find("CITT"), 4, "\xC5\x90");
  train.replace(train.find("aderenza"), 8, "aderenz");  // line 3: an unknown row
  write_sources(kLine, train);
  cli_result r = check({"--encoding", "utf-8"});
  EXPECT_EQ(r.status, 1);
  const size_t warning = r.err.find(":3:1: warning:");
  const size_t error = r.err.find(":4:57: error:");
  ASSERT_NE(warning, std::string::npos) << r.err;
  ASSERT_NE(error, std::string::npos) << r.err;
  EXPECT_LT(warning, error) << r.err;
}

// The help lists every kind of warning, so -Wno-NAME can be looked up there.
TEST(CheckHelp, ListsEveryWarningKind) {
  cli_result r = run({"help", "check"});
  ASSERT_EQ(r.status, 0);
  for (const warning_kind& k : warning_kinds())
    EXPECT_NE(r.out.find(std::string("  ") + k.name + " "), std::string::npos) << k.name;
}

TEST(CompileLint, WarnsWritesAndRefusesUnderWerror) {
  temp_folder author;
  write_file(author.file("Mini_linea.txt"), kLine);
  write_file(author.file("Mini_42-.txt"), kUtf8Train);
  const std::vector<std::string> base = {"compile", author.file("Mini_linea.txt"),
                                         author.file("Mini_42-.txt"), "--out", author.path()};
  cli_result warned = run(base);
  EXPECT_EQ(warned.status, 0);
  EXPECT_NE(warned.err.find("[-Wencoding]"), std::string::npos) << warned.err;
  EXPECT_TRUE(file_present(author.file("Mini_42.sim")));

  std::vector<std::string> converted = base;
  converted.insert(converted.end(), {"--encoding", "utf-8"});
  ASSERT_EQ(run(converted).status, 0);
  cli_result shown = run({"inspect", author.file("Mini_42.sim")});
  EXPECT_NE(shown.out.find("CITT\xC3\x80"), std::string::npos) << shown.out;
  EXPECT_EQ(shown.out.find("CITT\xC3\x83"), std::string::npos);

  std::filesystem::remove(author.file("Mini_42.sim"));
  std::vector<std::string> strict = base;
  strict.push_back("--werror");
  cli_result refused = run(strict);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("[-Werror=encoding]"), std::string::npos) << refused.err;
  EXPECT_FALSE(file_present(author.file("Mini_42.sim")));

  // A character the code page lacks stops the compile before it starts.
  std::string no_form = kUtf8Train;
  no_form.replace(no_form.find("CITT"), 4, "\xC5\x90");
  write_file(author.file("Mini_42-.txt"), no_form);
  cli_result lacking = run(converted);
  EXPECT_EQ(lacking.status, 1);
  EXPECT_NE(lacking.err.find("has no Windows-1252 form"), std::string::npos) << lacking.err;
  EXPECT_FALSE(file_present(author.file("Mini_42.sim")));
}

// Under --encoding utf-8 bytes that are no UTF-8 are an error naming them, and nothing is
// written: a lenient reading once made a NUL of C0 80 and wrote it into the station's record.
TEST(CompileEncoding, BytesThatAreNoUtf8AreRefused) {
  temp_folder author;
  std::string train = kUtf8Train;
  train.replace(train.find("CITT\xC3\x80"), 6, "CITT\xC0\x80");
  write_file(author.file("Mini_linea.txt"), kLine);
  write_file(author.file("Mini_42-.txt"), train);
  const std::vector<std::string> args = {"Mini_linea.txt", "Mini_42-.txt", "--encoding", "utf-8"};
  cli_result checked = run({"check", author.file(args[0]), author.file(args[1]), args[2], args[3]});
  EXPECT_EQ(checked.status, 1);
  EXPECT_NE(checked.err.find(":4:61: error: the bytes C0 80 are not UTF-8 (an overlong form)"),
            std::string::npos)
      << checked.err;
  cli_result compiled = run({"compile", author.file(args[0]), author.file(args[1]), args[2],
                             args[3], "--out", author.path()});
  EXPECT_EQ(compiled.status, 1);
  EXPECT_NE(compiled.err.find("scenario-compiler: no file written"), std::string::npos);
  EXPECT_FALSE(file_present(author.file("Mini_42.sim")));
}

// A byte-order mark at the start of a file read as UTF-8 is the mark, and the files compile to
// the same bytes as without it.
TEST(CompileEncoding, AByteOrderMarkChangesNothing) {
  temp_folder plain, marked;
  write_file(plain.file("Mini_linea.txt"), kLine);
  write_file(plain.file("Mini_42-.txt"), kUtf8Train);
  write_file(marked.file("Mini_linea.txt"), "\xEF\xBB\xBF" + kLine);
  write_file(marked.file("Mini_42-.txt"), "\xEF\xBB\xBF" + kUtf8Train);
  for (const temp_folder* f : {&plain, &marked}) {
    cli_result r = run({"compile", f->file("Mini_linea.txt"), f->file("Mini_42-.txt"), "--encoding",
                        "utf-8", "--out", f->path()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
  }
  for (const char* name : {"Mini_linea.dat", "Mini_42.sim", "Mini_42.dat"})
    EXPECT_EQ(read_file(marked.file(name)), read_file(plain.file(name))) << name;
}

}  // namespace
