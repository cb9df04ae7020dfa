// Writes the manual pages and the bash completion into the folder given; the build runs it with
// the executable, so an installed program comes with the pages of its own command table.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/completion.h"
#include "cli/manual.h"

namespace {

bool write_whole(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  if (out) return true;
  std::cerr << "scenario-compiler-docs: cannot write " << path << '\n';
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: scenario-compiler-docs FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  std::ostringstream page1, page5, completion;
  write_command_manual(page1);
  write_format_manual(page5);
  write_bash_completion(completion);
  bool ok = write_whole(folder + "/scenario-compiler.1", page1.str());
  ok = write_whole(folder + "/scenario-compiler-format.5", page5.str()) && ok;
  ok = write_whole(folder + "/scenario-compiler.bash", completion.str()) && ok;
  return ok ? 0 : 1;
}
