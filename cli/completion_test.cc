#include "cli/completion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "testing/temp_folder.h"

namespace {

// What bash offers for the command line `words`, the last being the word under the cursor,
// with the script loaded and `folder` the current folder; sorted.
std::string offered(const temp_folder& folder, const std::string& script,
                    const std::vector<std::string>& words) {
  std::string array;
  for (const std::string& w : words) array += " '" + w + "'";
  write_file(folder.file("ask.sh"),
             "export LC_ALL=C\nsource " + script + "\nCOMP_WORDS=(" + array + ")\nCOMP_CWORD=" +
                 std::to_string(words.size() - 1) +
                 "\n_scenario_compiler\nprintf '%s\\n' \"${COMPREPLY[@]}\" | sort\n");
  std::string command = "cd " + folder.file("work") + " && bash --norc " + folder.file("ask.sh") +
                        " >" + folder.file("out") + " 2>&1";
  if (std::system(command.c_str()) != 0) return "(bash failed) " + read_file(folder.file("out"));
  std::string out = read_file(folder.file("out"));
  std::replace(out.begin(), out.end(), '\n', ' ');
  return out;
}

TEST(Completion, CommandsOptionsAndFiles) {
#ifdef _WIN32
  GTEST_SKIP() << "the completion is bash's, run on the build host";
#endif
  temp_folder folder;
  std::ostringstream script;
  write_bash_completion(script);
  write_file(folder.file("completion.bash"), script.str());
  std::filesystem::create_directories(folder.file("work/maps"));
  for (const char* name : {"Monte_linea.txt", "Monte_101-.txt", "Monte_101.dat", "Monte_101.sim",
                           "Monte_linea.dat", "Monte.svg", "Monte.png", "notes"})
    write_file(folder.file(std::string("work/") + name), "x");

  struct {
    std::vector<std::string> words;
    const char* offered;
  } cases[] = {
      {{"scenario-compiler", "c"}, "check compile "},
      {{"scenario-compiler", "he"}, "help "},
      {{"scenario-compiler", "compile", "--e"}, "--emit-on-fault --encoding "},
      {{"scenario-compiler", "check", "-Wno-r"}, "-Wno-range -Wno-row-order -Wno-run-out "},
      {{"scenario-compiler", "compile", "--encoding", ""}, "utf-8 windows-1252 "},
      // Sources for compile and check, binary files for inspect, with folders to reach them.
      {{"scenario-compiler", "compile", "Monte_linea.txt", "M"},
       "Monte_101-.txt Monte_linea.txt "},
      {{"scenario-compiler", "check", ""}, "Monte_101-.txt Monte_linea.txt maps "},
      {{"scenario-compiler", "inspect", "Mo"}, "Monte_101.dat Monte_101.sim Monte_linea.dat "},
      {{"scenario-compiler", "inspect", "--kind", "r"}, "records "},
      {{"scenario-compiler", "render", "-o", ""}, "Monte.svg maps "},
      {{"scenario-compiler", "render", "--dir", ""}, "maps "},
      {{"scenario-compiler", "render", "--route", "M"}, " "},
      // Options with no command are the built-in run's.
      {{"scenario-compiler", "--out", ""}, "maps "},
      {{"scenario-compiler", "--"}, "--help --no-plan --out --version "},
      {{"scenario-compiler", "help", "f"}, "format "},
  };
  for (const auto& c : cases) {
    std::string line;
    for (const std::string& w : c.words) line += w + " ";
    EXPECT_EQ(offered(folder, folder.file("completion.bash"), c.words), c.offered) << line;
  }
}

}  // namespace
