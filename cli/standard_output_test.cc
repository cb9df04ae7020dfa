// Standard output is checked at exit: a command whose output cannot be written fails with
// status 3 and says so, whatever it would have ended with.
#include <gtest/gtest.h>

#include <string>

#include "testing/sample_route.h"
#include "testing/shell.h"
#include "testing/temp_folder.h"

namespace {

struct exit_and_error {
  int status;
  std::string err;
};

// Runs the program with `args`, its standard output sent to `out`.
exit_and_error run_program(const std::string& args, const std::string& out,
                           const temp_folder& t) {
  const int status = shell_status(shell_quoted(SC_EXECUTABLE) + " " + args + " >" +
                                  shell_quoted(out) + " 2>" + shell_quoted(t.file("err.txt")));
  return {status, read_file(t.file("err.txt"))};
}

TEST(StandardOutput, AFullDeviceIsStatus3) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no device that is always full (/dev/full)";
#endif
  temp_folder t;
  sample_route(2000).write(t.path(), "Zenvro_Quarvel", "2417");
  const std::string sim = t.file("Zenvro_Quarvel_2417.sim");
  const std::string plan = t.file("Zenvro_Quarvel_linea.dat");
  for (const std::string& args :
       {std::string("--help"), std::string("--version"), std::string("help compile"),
        "inspect --json " + sim, "inspect " + plan, "inspect --json " + plan}) {
    exit_and_error full = run_program(args, "/dev/full", t);
    EXPECT_EQ(full.status, 3) << args;
    EXPECT_EQ(full.err.rfind("scenario-compiler: error: cannot write the standard output", 0), 0u)
        << args << ": " << full.err;
    exit_and_error fine = run_program(args, t.file("out.txt"), t);
    EXPECT_EQ(fine.status, 0) << args << ": " << fine.err;
    EXPECT_EQ(fine.err, "") << args;
  }
}

}  // namespace
