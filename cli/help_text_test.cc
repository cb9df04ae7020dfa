// Each command's help as it read when the manual came to be made from the same table: the
// manual's generator must not change a character of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/format_reference.h"
#include "cli/run_cli.h"
#include "testing/temp_folder.h"

namespace {

TEST(HelpText, EachCommandsHelpReadsAsBefore) {
  const std::filesystem::path held = std::filesystem::path(SC_SOURCE_DIR) / "cli/testdata/help";
  ASSERT_TRUE(std::filesystem::is_directory(held)) << held;
  bool any = false;
  for (const auto& e : std::filesystem::directory_iterator(held)) {
    const std::string name = e.path().stem().string();
    any = true;
    cli_result r = run({"help", name});
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_EQ(r.out, read_file(e.path().string()))
        << name << ": if the change is meant, write the new text into " << e.path();
  }
  EXPECT_TRUE(any);
}

TEST(HelpText, FormatIsATopicOfHelp) {
  std::ostringstream reference;
  print_format_reference(reference);
  for (const std::vector<std::string>& ask :
       {std::vector<std::string>{"help", "format"}, {"--help", "format"}}) {
    cli_result r = run(ask);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, reference.str());
    EXPECT_EQ(r.err, "");
  }
  EXPECT_NE(run({"help"}).out.find("\ntopics:\n  format "), std::string::npos);
  // The topic is no command.
  EXPECT_EQ(run({"format"}).status, exit_usage);
}

}  // namespace
