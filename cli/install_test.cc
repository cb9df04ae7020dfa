// `cmake --install` of this build tree into a fresh prefix: the program, its two manual pages
// (also as HTML, with a README), its bash completion and the module that serve loads, and
// nothing else.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "cli/format_reference.h"
#include "testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Install : ::testing::Test {
  static void SetUpTestSuite() {
#ifdef _WIN32
    return;  // see SetUp
#endif
    prefix = new temp_folder;
    std::string command = std::string("'") + SC_CMAKE_COMMAND + "' --install '" + SC_BUILD_DIR +
                          "' --prefix " + prefix->path() + " >" + prefix->file("install.log") +
                          " 2>&1";
    status = std::system(command.c_str());
  }
  void SetUp() override {
#ifdef _WIN32
    GTEST_SKIP() << "cmake --install and the installed tree's checks run on the build host";
#endif
  }
  static void TearDownTestSuite() {
    delete prefix;
    prefix = nullptr;
  }
  // Runs `command` in a shell and returns what it printed on both outputs; `ok` says if it ended
  // with status 0.
  static std::string shell(const std::string& command, bool& ok) {
    temp_folder scratch;
    ok = std::system(("{ " + command + "; } >" + scratch.file("out") + " 2>&1").c_str()) == 0;
    return read_file(scratch.file("out"));
  }
  static std::string path(const char* relative) { return prefix->file(relative); }

  static inline temp_folder* prefix = nullptr;
  static inline int status = -1;
};

const char* const kInstalled[] = {
    "bin/scenario-compiler",
    "share/man/man1/scenario-compiler.1",
    "share/man/man5/scenario-compiler-format.5",
    "share/bash-completion/completions/scenario-compiler",
    "lib/scenario-compiler/scenario-compiler-preview.so",  // the HTTP side of serve
    "share/doc/scenario-compiler/README",
    "share/doc/scenario-compiler/scenario-compiler.html",  // the pages as HTML
    "share/doc/scenario-compiler/scenario-compiler-format.html",
};

TEST_F(Install, TheProgramItsPagesAndItsCompletionAndNothingElse) {
  ASSERT_EQ(status, 0) << read_file(path("install.log"));
  std::set<std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(prefix->path()))
    if (!e.is_directory() && e.path().filename() != "install.log")
      files.insert(fs::relative(e.path(), prefix->path()).string());
  EXPECT_EQ(files, std::set<std::string>(std::begin(kInstalled), std::end(kInstalled)));
  EXPECT_NE(fs::status(path("bin/scenario-compiler")).permissions() & fs::perms::owner_exec,
            fs::perms::none);
}

TEST_F(Install, TheInstalledProgramRuns) {
  ASSERT_EQ(status, 0) << read_file(path("install.log"));
  bool ok = false;
  EXPECT_EQ(shell(path("bin/scenario-compiler") + " --version", ok),
            std::string("scenario-compiler ") + SC_VERSION + "\n");
  EXPECT_TRUE(ok);
  std::ostringstream reference;
  print_format_reference(reference);
  EXPECT_EQ(shell(path("bin/scenario-compiler") + " help format", ok), reference.str());
  EXPECT_TRUE(ok);
}

TEST_F(Install, TheCompletionLoadsAndCompletesCommands) {
  ASSERT_EQ(status, 0) << read_file(path("install.log"));
  bool ok = false;
  std::string out = shell("bash --norc -c 'source " +
                              path("share/bash-completion/completions/scenario-compiler") +
                              "; complete -p scenario-compiler; COMP_WORDS=(scenario-compiler in);"
                              " COMP_CWORD=1; _scenario_compiler; echo \"${COMPREPLY[*]}\"'",
                          ok);
  EXPECT_TRUE(ok) << out;
  EXPECT_EQ(out, "complete -F _scenario_compiler scenario-compiler\ninspect\n");
}

TEST_F(Install, ThePagesRenderWithoutWarnings) {
  ASSERT_EQ(status, 0) << read_file(path("install.log"));
  bool have = false;
  shell("command -v man && command -v groff", have);
  if (!have) GTEST_SKIP() << "man or groff is not installed";
  struct {
    const char* page;
    const char* title;
  } pages[] = {{"share/man/man1/scenario-compiler.1", "SCENARIO-COMPILER(1)"},
               {"share/man/man5/scenario-compiler-format.5", "SCENARIO-COMPILER-FORMAT(5)"}};
  for (const auto& p : pages) {
    bool ok = false;
    EXPECT_EQ(shell("groff -man -ww -z " + path(p.page), ok), "") << p.page;
    EXPECT_TRUE(ok) << p.page;
    std::string shown = shell("MANWIDTH=80 man -P cat -l " + path(p.page), ok);
    EXPECT_TRUE(ok) << shown;
    EXPECT_EQ(shown.rfind(p.title, 0), 0u) << shown;
    EXPECT_NE(shown.find("SEE ALSO"), std::string::npos) << shown;
  }
}

}  // namespace
