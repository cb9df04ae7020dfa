#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "cli/run_cli.h"
#include "files/atomic_file.h"
#include "source/field_reader.h"

namespace {

// A fault that ends a command's work is told and gives its status; none ends the process.
TEST(RunReporting, FaultsThatEndTheWorkAreToldWithTheirStatus) {
  struct {
    void (*fault)();
    int status;
    const char* said;
  } cases[] = {
      {[] { throw write_failure("out/a.dat", "disk full"); }, exit_file_fault,
       "out/a.dat"},
      {[] { throw reading_fault("cell 9000 lies outside the grid (cells 0 to 1780)"); },
       exit_scenario_fault, "cell 9000 lies outside the grid (cells 0 to 1780)"},
      {[] { throw std::bad_alloc(); }, exit_file_fault, "out of memory"},
  };
  for (const auto& c : cases) {
    std::ostringstream err;
    diagnostic_engine diagnostics(console_printer(err));
    EXPECT_EQ(run_reporting(diagnostics, [&] {
                c.fault();
                return exit_clean;
              }),
              c.status);
    EXPECT_NE(err.str().find(c.said), std::string::npos) << err.str();
  }
}

TEST(CommandLine, HelpListsEveryCommand) {
  cli_result r = run({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const command& c : command_table()) EXPECT_NE(r.out.find(c.short_help), std::string::npos);
}

TEST(CommandLine, HelpOfACommandShowsItsLongHelp) {
  cli_result r = run({"help", "help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(find_command("help")->long_help), std::string::npos);
}

TEST(CommandLine, Version) {
  cli_result r = run({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string("scenario-compiler ") + SC_VERSION + "\n");
}

TEST(CommandLine, WrongUsageExitsWith2) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--frobnicate"}, {"--out"}, {"--no-plan=1"}}) {
    cli_result r = run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("usage: "), std::string::npos) << args[0];
  }
}

// Every way of asking for one command's help gives the same text, on standard output.
TEST(CommandLine, EveryWayToAskForACommandsHelp) {
  for (const command& c : command_table()) {
    const std::string name = c.name;
    const std::string expected = run({"help", name}).out;
    ASSERT_NE(expected.find(c.long_help), std::string::npos) << name;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{name, "--help"}, {name, "-h"}, {"--help", name}, {"-h", name},
          {name, "some-file", "--out", "x", "--help"}}) {
      cli_result r = run(args);
      EXPECT_EQ(r.status, 0) << name << " " << args[1];
      EXPECT_EQ(r.out, expected) << name << " " << args[1];
      EXPECT_EQ(r.err, "") << name << " " << args[1];
    }
  }
  // Without a command, options with --help are the built-in run's.
  EXPECT_EQ(run({"--out", "x", "--help"}).out, run({"help", "run"}).out);
}

TEST(CommandLine, AnUnknownCommandSaysSoAndListsTheCommands) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"bogus"}, {"bogus", "--out", "x"}, {"help", "bogus"},
        {"--help", "bogus"}, {"bogus", "--help"}}) {
    cli_result r = run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_EQ(r.out, "") << args[0];
    EXPECT_EQ(r.err.rfind("scenario-compiler: unknown command 'bogus'\ncommands:\n", 0), 0u)
        << r.err;
    for (const command& c : command_table())
      EXPECT_NE(r.err.find(std::string("  ") + c.name + " "), std::string::npos) << c.name;
    // Not the usage of the built-in run.
    EXPECT_EQ(r.err.find("usage: "), std::string::npos) << r.err;
  }
}

// A word close to a command, an option or a warning name gets the name it was meant for; one
// far from all of them gets none.
TEST(CommandLine, AMistypedWordGetsTheNameItWasMeantFor) {
  struct typo_case {
    std::vector<std::string> args;
    const char* first_line;
  } cases[] = {
      {{"chek"}, "scenario-compiler: unknown command 'chek'; did you mean 'check'?"},
      {{"Render"}, "scenario-compiler: unknown command 'Render'; did you mean 'render'?"},
      {{"inpsect"}, "scenario-compiler: unknown command 'inpsect'; did you mean 'inspect'?"},
      {{"check", "a", "b", "--Werror"},
       "scenario-compiler: unknown option --Werror; did you mean --werror?"},
      {{"compile", "a", "b", "--no-pln"},
       "scenario-compiler: unknown option --no-pln; did you mean --no-plan?"},
      {{"check", "a", "b", "--colour"}, "scenario-compiler: unknown option --colour"},
      {{"check", "a", "b", "-Wno-runout"},
       "scenario-compiler: unknown warning -Wno-runout; did you mean -Wno-run-out?"},
      {{"check", "a", "b", "-Wno-spelling"}, "scenario-compiler: unknown warning -Wno-spelling"},
  };
  for (const typo_case& c : cases) {
    cli_result r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.first_line;
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.first_line);
  }
}

}  // namespace
