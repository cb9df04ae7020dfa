// The compiler's overwrite warnings in the commands: `compile` writes the same bytes as it
// always did and ends clean, --werror makes them errors that hold every file back, -Wno-overwrite
// silences them, and `check` tells them among the lint's with their notes.
#include <gtest/gtest.h>

#include "cli/run_cli.h"
#include "testing/sha256.h"
#include "testing/temp_folder.h"

namespace {

// A speed board on the station's stop cell (41, 2050 m), and a signal whose markers in cells 39
// and 37 the station takes.
const std::string kLine =
    "[generale]\r\n"
    "lunghezza percorso, 6000\r\n"
    "[curve]\r\n"
    "indicatori_vmax, 2000, 60, 60, 60, 0, , , , 0\r\n"  // 4
    "[fine]\r\n";
const std::string kTrain =
    "[generale]\r\n"
    "velocita, 0, 100\r\n"
    "aderenza, 0, 100\r\n"
    "segnale, 2200, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"                       // 4
    "stazione, 2000, 2, 200, 0,0,0, 2,1,0, 2,1,1, 60, 8,25,0, ALFA\r\n"  // 5
    "[fine]\r\n";

class OverwriteWarnings : public testing::Test {
 protected:
  void SetUp() override {
    write_file(author.file("Mini_linea.txt"), kLine);
    write_file(author.file("Mini_42-.txt"), kTrain);
  }
  cli_result run_with(const std::string& command, std::vector<std::string> extra) {
    std::vector<std::string> args = {command, author.file("Mini_linea.txt"),
                                     author.file("Mini_42-.txt")};
    if (command == "compile") extra.insert(extra.end(), {"--out", author.path()});
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }
  std::string digest(const std::string& name) const {
    return file_present(author.file(name)) ? sha256_hex(read_file(author.file(name))) : "none";
  }
  static size_t count(const std::string& text, const std::string& word) {
    size_t n = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
  }
  temp_folder author;
};

TEST_F(OverwriteWarnings, CompileTellsThemAndWritesTheBytesItAlwaysWrote) {
  const cli_result r = run_with("compile", {});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(count(r.err, "[-Woverwrite]"), 3u) << r.err;
  EXPECT_NE(r.err.find("Mini_linea.txt:4:18: note: the speed board at 2000 m is placed here\n"),
            std::string::npos)
      << r.err;
  // The digests of the files these sources gave before the compiler told any loss.
  EXPECT_EQ(digest("Mini_linea.dat"), "68a4ea00bca00d62ae6998e9ea0d252813b504a4dbeb44cf25dbf62d00bd5ea3");
  EXPECT_EQ(digest("Mini_42.sim"), "b0504df7f42c7313fc0875d88b58ac01ddaa38700ad67b307ec6307bc12a19f9");
  EXPECT_EQ(digest("Mini_42.dat"), "9f1255ccf1cbc7460485aa938693cd8e376b1f0376f3eb1f0035fe1bef2f2714");
}

TEST_F(OverwriteWarnings, UnderWerrorCompileWritesNoFile) {
  for (const std::vector<std::string>& extra :
       {std::vector<std::string>{"--werror"}, {"--werror", "--emit-on-fault"}}) {
    const cli_result r = run_with("compile", extra);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(count(r.err, "[-Werror=overwrite]"), 3u) << r.err;
    EXPECT_TRUE(r.err.ends_with("scenario-compiler: no file written\n")) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(names_in(author.path()), (std::vector<std::string>{"Mini_42-.txt", "Mini_linea.txt"}));
  }
}

TEST_F(OverwriteWarnings, SilencedTheyLeaveACleanRun) {
  const cli_result r = run_with("compile", {"--werror", "-Wno-overwrite"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(digest("Mini_42.dat"), "9f1255ccf1cbc7460485aa938693cd8e376b1f0376f3eb1f0035fe1bef2f2714");
}

TEST_F(OverwriteWarnings, CheckTellsThemInLineOrderAndCountsThem) {
  const cli_result r = run_with("check", {});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Mini_42: route 6000 m, 1 station, 1 signal, 0 slowdowns; 0 errors, 3 warnings\n");
  const std::string train = author.file("Mini_42-.txt");
  EXPECT_EQ(r.err.rfind(train + ":5:11: warning: approach marker 2 of station 1 (ALFA) takes "
                        "the marker of the cell at 1950 m from approach marker 3 of the signal at "
                        "2200 m, which is lost [-Woverwrite]\n"
                        "stazione, 2000, 2, 200, 0,0,0, 2,1,0, 2,1,1, 60, 8,25,0, ALFA\n"
                        "          ^\n" +
                            train + ":4:10: note: the signal at 2200 m is placed here\n"
                        "segnale, 2200, 2, 4, 0, 0, 0, 0, 0,0,0, 0\n"
                        "         ^\n",
                        0),
            0u)
      << r.err;

  const cli_result strict = run_with("check", {"--werror"});
  EXPECT_EQ(strict.status, 1);
  EXPECT_EQ(strict.out,
            "Mini_42: route 6000 m, 1 station, 1 signal, 0 slowdowns; 3 errors, 0 warnings\n");
}

}  // namespace
