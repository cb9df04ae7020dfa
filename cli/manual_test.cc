#include "cli/manual.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <map>
#include <set>
#include <sstream>

#include "cli/commands.h"
#include "cli/usage.h"
#include "testing/temp_folder.h"

namespace {

// A troff line as it reads: escapes of hyphens, backslashes and fonts undone.
std::string plain(const std::string& line) {
  std::string out;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\\' || i + 1 == line.size()) {
      out += line[i];
    } else if (line[i + 1] == 'f') {
      i += 2;  // \fB, \fI, \fR
    } else if (line[i + 1] == '&') {
      i += 1;
    } else {
      out += line[i + 1] == 'e' ? '\\' : line[i + 1];
      i += 1;
    }
  }
  return out;
}

// The options each command's section of the page describes: the tagged paragraphs whose tag is
// an option, by name.
std::map<std::string, std::set<std::string>> options_in_page(const std::string& page) {
  std::map<std::string, std::set<std::string>> found;
  std::istringstream lines(page);
  std::string line, section, command;
  bool tag_next = false;
  while (std::getline(lines, line)) {
    if (line.rfind(".SH ", 0) == 0) section = plain(line.substr(4));
    if (section != "COMMANDS") continue;
    if (line.rfind(".SS ", 0) == 0) {
      command = plain(line.substr(4));
      command = command.substr(1, command.size() - 2);  // its quotes
      found[command];
    } else if (line == ".TP") {
      tag_next = true;
    } else if (tag_next) {
      tag_next = false;
      std::string tag = plain(line);
      if (!tag.empty() && tag[0] == '-')
        found[command].insert(option_word(tag.substr(0, tag.find(' '))).name);
    }
  }
  return found;
}

TEST(Manual, DescribesEveryCommandAndEachOfItsOptionsAndNothingElse) {
  std::ostringstream page;
  write_command_manual(page);
  std::map<std::string, std::set<std::string>> in_page = options_in_page(page.str());
  std::map<std::string, std::set<std::string>> in_table;
  for (const command& c : command_table()) {
    for (const usage_option& o : parse_usage(c.usage, c.name).options)
      in_table[c.name].insert(o.name);
    in_table[c.name];
    // The synopsis and the command's own section give its usage.
    EXPECT_NE(page.str().find(".SS \"" + std::string(c.name) + "\""), std::string::npos);
  }
  EXPECT_EQ(in_page, in_table);
  EXPECT_NE(in_table["compile"].count("-Wno-"), 0u);
  EXPECT_NE(in_table["render"].count("-o"), 0u);
}

TEST(Manual, TheCommandPageHasItsSections) {
  std::ostringstream page;
  write_command_manual(page);
  std::string text = page.str();
  EXPECT_EQ(text.rfind(".TH \"SCENARIO\\-COMPILER\" 1 ", 0), 0u);
  size_t at = 0;
  for (const char* section : {".SH NAME\n", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n", ".SH COMMANDS\n",
                              ".SH \"EXIT STATUS\"\n", ".SH DIAGNOSTICS\n", ".SH FILES\n",
                              ".SH \"SEE ALSO\"\n"}) {
    size_t found = text.find(section, at);
    EXPECT_NE(found, std::string::npos) << section << " (in this order)";
    if (found != std::string::npos) at = found;
  }
  // Every line is text or a request of the man macros; no blank line, no stray control line.
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    EXPECT_FALSE(line.empty());
    if (line[0] == '\'') ADD_FAILURE() << line;
  }
}

// Prints `page` as man would on an 80-column terminal, through groff; empty when groff is absent.
std::string rendered(const std::string& page, std::string& warnings) {
  temp_folder folder;
  write_file(folder.file("page"), page);
  std::string command = "groff -man -ww -Tutf8 -P-cbou -rLL=80n " + folder.file("page") + " >" +
                        folder.file("out") + " 2>" + folder.file("err");
  if (std::system(command.c_str()) != 0) return {};
  warnings = read_file(folder.file("err"));
  return read_file(folder.file("out"));
}

TEST(Manual, FormatSectionsShowProseFilledAndExamplesAsTheyStand) {
  if (std::system("command -v groff >/dev/null 2>&1") != 0) GTEST_SKIP() << "no groff here";
  const reference_section sections[] = {
      {"STATION ROWS",
       "A station row starts with\n\"stazione\" -- in any case.\n"
       "\n"
       "  stazione, 1000, 400, MORLENO\n"
       "  .dat and 'quoted' and C:\\path stay\n"
       "\n"
       "Codes: 8, 9 and 22.\n"},
  };
  std::ostringstream page;
  write_format_manual(page, sections);
  std::string warnings;
  std::string text = rendered(page.str(), warnings);
  EXPECT_EQ(warnings, "");
  EXPECT_NE(text.find("STATION ROWS"), std::string::npos) << text;
  EXPECT_NE(text.find("A station row starts with \"stazione\" -- in any case."), std::string::npos)
      << text;
  EXPECT_NE(text.find("\n           stazione, 1000, 400, MORLENO\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n           .dat and 'quoted' and C:\\path stay\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("Codes: 8, 9 and 22."), std::string::npos) << text;
}

// Runs of white space as one space: filled text breaks its lines where the width says.
std::string squeezed(const std::string& text) {
  std::string out;
  for (char c : text) {
    bool space = c == ' ' || c == '\n';
    if (space && !out.empty() && out.back() == ' ') continue;
    out += space ? ' ' : c;
  }
  return out;
}

// mandoc's checker, a reader of manual pages no one here wrote, finds nothing in either page:
// no missing date, no paragraph break after a heading, no input line over 80 bytes.
TEST(Manual, BothPagesPassMandocsChecker) {
  if (std::system("command -v mandoc >/dev/null 2>&1") != 0) GTEST_SKIP() << "no mandoc here";
  temp_folder dir;
  std::ostringstream command_page, format_page;
  write_command_manual(command_page);
  write_format_manual(format_page);
  write_file(dir.file("scenario-compiler.1"), command_page.str());
  write_file(dir.file("scenario-compiler-format.5"), format_page.str());
  for (const char* page : {"scenario-compiler.1", "scenario-compiler-format.5"}) {
    const std::string said = dir.file(std::string(page) + ".lint");
    const std::string command =
        "mandoc -Tlint " + dir.file(page) + " >" + said + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << page << ":\n" << read_file(said);
    EXPECT_EQ(read_file(said), "") << page;
  }
}

TEST(Manual, TheCommandPageRendersWithoutWarnings) {
  if (std::system("command -v groff >/dev/null 2>&1") != 0) GTEST_SKIP() << "no groff here";
  std::ostringstream page;
  write_command_manual(page);
  std::string warnings;
  std::string text = squeezed(rendered(page.str(), warnings));
  EXPECT_EQ(warnings, "");
  for (const command& c : command_table()) {
    EXPECT_NE(text.find(std::string(c.short_help).substr(1) + "."), std::string::npos) << c.name;
    EXPECT_NE(text.find(std::string(" ") + c.usage + " "), std::string::npos) << c.name;
  }
  EXPECT_NE(text.find("FILE:LINE:COLUMN: error CODE: MEANING[: DETAIL] (at POSITION m)"),
            std::string::npos);
  EXPECT_NE(text.find("FILE:LINE:COL: warning: MESSAGE [-WNAME]"), std::string::npos);
  EXPECT_NE(text.find("-Wno-NAME"), std::string::npos);
}

}  // namespace
