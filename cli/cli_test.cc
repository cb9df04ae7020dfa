#include <gtest/gtest.h>

#include <sstream>

#include "cli/commands.h"
#include "testing/run_cli.h"

namespace {

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
       {std::vector<std::string>{"--frobnicate"}, {"--out"}, {"nosuchcommand"}, {"--no-plan=1"},
        {"help", "nosuchcommand"}}) {
    cli_result r = run(args);
    EXPECT_EQ(r.status, 2) << args[0];
    EXPECT_NE(r.err.find("usage: "), std::string::npos) << args[0];
  }
}

}  // namespace
