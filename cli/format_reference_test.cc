#include "cli/format_reference.h"

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run_cli.h"
#include "diagnostics/error_codes.h"
#include "files/keywords.h"
#include "lint/lint.h"
#include "source/row_table.h"
#include "testing/temp_folder.h"

namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

std::string trimmed(std::string s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The text with its line ends as blanks, so a phrase is found across a wrapped line.
std::string prose(const char* text) {
  std::string out = text;
  for (char& c : out)
    if (c == '\n') c = ' ';
  return out;
}

bool is_line_part(row_part p) { return p != row_part::train; }

// The sections that describe one file's rows, by their titles.
bool describes_file(const reference_section& s, bool line_file) {
  return std::string(s.title).starts_with(line_file ? "LINE FILE: " : "TRAIN FILE: ");
}

// The example rows of a section: the lines under "  Example:", indented by four.
std::vector<std::string> examples_of(const reference_section& s) {
  std::vector<std::string> out;
  bool under = false;
  for (const std::string& line : lines_of(s.text)) {
    if (line == "  Example:") {
      under = true;
    } else if (under && line.starts_with("    ")) {
      out.push_back(line.substr(4));
    } else {
      under = false;
    }
  }
  return out;
}

// The first keyword test of the file that the row's first field passes, as the reader tests.
std::optional<row_keyword> kind_of(const std::string& row, bool line_file) {
  const std::string keyword = trimmed(row.substr(0, row.find(',')));
  for (const keyword_test& t : keyword_tests())
    if (is_line_part(t.part) == line_file && holds_keyword(keyword, t.row)) return t.row;
  return std::nullopt;
}

// The row's second field, its position, for the kinds that have one.
std::optional<long> position_of(const std::string& row, row_keyword kind) {
  switch (kind) {
    case row_keyword::route_length: case row_keyword::progressive_three:
    case row_keyword::progressive_two: case row_keyword::progressive_one:
    case row_keyword::background_one: case row_keyword::background_two:
    case row_keyword::background_three: case row_keyword::signal_repetition:
    case row_keyword::braked_mass: case row_keyword::cars: case row_keyword::clock:
    case row_keyword::sand:
      return std::nullopt;
    default:
      break;
  }
  const size_t comma = row.find(',');
  if (comma == std::string::npos) return std::nullopt;
  const std::string field = trimmed(row.substr(comma + 1, row.find(',', comma + 1) - comma - 1));
  return std::stol(field);
}

// Puts `row` into a built-in source file: in place of the row of its kind at its position (or
// of its kind alone, for rows without a position), else after the rows of its kind before it,
// else before the file's last line.
std::string placed(const std::string& file, const std::string& row, bool line_file) {
  std::vector<std::string> lines;
  for (std::string line : lines_of(file)) {
    if (line.ends_with("\r")) line.pop_back();
    lines.push_back(line);
  }
  const row_keyword kind = *kind_of(row, line_file);
  const std::optional<long> at = position_of(row, kind);
  std::optional<size_t> replace, after, before;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (kind_of(lines[i], line_file) != kind) continue;
    const std::optional<long> p = position_of(lines[i], kind);
    if (!at || p == at) {
      replace = i;
      break;
    }
    if (p && *p < *at) after = i;
    if (p && *p > *at && !before) before = i;
  }
  if (replace)
    lines[*replace] = row;
  else if (after)
    lines.insert(lines.begin() + static_cast<long>(*after) + 1, row);
  else if (before)
    lines.insert(lines.begin() + static_cast<long>(*before), row);
  else
    lines.insert(lines.end() - 1, row);
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

// Checks the built-in sources with `row` put into the line file or the train file.
cli_result check_with(const std::string& row, bool line_file) {
  temp_folder exported;
  EXPECT_EQ(run({"export", "--out", exported.path()}).status, 0);
  const std::string line = exported.file("Zenvro_Quarvel_linea.txt");
  const std::string train = exported.file("Zenvro_Quarvel_2417-.txt");
  const std::string target = line_file ? line : train;
  write_file(target, placed(read_file(target), row, line_file));
  return run({"check", line, train});
}

bool clean(const cli_result& r) {
  return r.status == 0 && r.err.empty() && r.out.ends_with("; 0 errors, 0 warnings\n");
}

// The section of the file's rows that names every word of the test, quoted.
const reference_section* section_of(const keyword_test& t) {
  for (const reference_section& s : format_reference()) {
    const std::string text = prose(s.text);
    auto quoted = [&](std::string_view w) {
      return text.find("\"" + std::string(w) + "\"") != std::string::npos;
    };
    if (describes_file(s, is_line_part(t.part)) && quoted(t.first) &&
        (t.second.empty() || quoted(t.second)))
      return &s;
  }
  return nullptr;
}

TEST(FormatReference, EveryKeywordOfTheReadersIsUnderItsFile) {
  for (const keyword_test& t : keyword_tests()) {
    SCOPED_TRACE(std::string(t.written));
    const reference_section* s = section_of(t);
    ASSERT_NE(s, nullptr) << "no section of the " << (is_line_part(t.part) ? "line" : "train")
                          << " file names \"" << t.first << "\" and \"" << t.second << "\"";
    const std::string text = prose(s->text);
    // The letter-case rule and the part of the file are the readers'.
    EXPECT_NE(text.find(t.any_case ? "any letter case" : "small letters"), std::string::npos)
        << s->title;
    EXPECT_EQ(text.find("in the general section") != std::string::npos,
              t.part == row_part::line_general)
        << s->title;
    // The file's overview lists the keyword as written.
    const std::string overview = is_line_part(t.part) ? "THE LINE FILE" : "THE TRAIN FILE";
    bool listed = false;
    for (const reference_section& o : format_reference())
      if (o.title == overview) listed = prose(o.text).find(t.written) != std::string::npos;
    EXPECT_TRUE(listed) << overview << " lacks " << t.written;
  }
}

// The overview of each file counts each row's fields as the row table does.
TEST(FormatReference, TheOverviewsCountTheFieldsOfTheRowTable) {
  for (bool line_file : {true, false}) {
    const std::string overview = line_file ? "THE LINE FILE" : "THE TRAIN FILE";
    const reference_section* s = nullptr;
    for (const reference_section& o : format_reference())
      if (o.title == overview) s = &o;
    ASSERT_NE(s, nullptr) << overview;
    std::vector<bool> counted(row_specs().size());
    bool in_table = false;
    size_t row_column = 0;
    for (const std::string& line : lines_of(s->text)) {
      if (line.starts_with("  keyword ")) {
        in_table = true;
        row_column = line.find(" row ") + 1;
        continue;
      }
      if (!in_table || line.empty()) {
        in_table = false;
        continue;
      }
      const size_t fields = std::stoul(line.substr(line.find_last_of(' ') + 1));
      // "curvad6, curvas3": each keyword written.
      std::istringstream keywords(trimmed(line.substr(0, row_column)));
      for (std::string keyword; std::getline(keywords, keyword, ',');) {
        const row_spec* row = row_spec_of(trimmed(keyword), line_file);
        ASSERT_NE(row, nullptr) << line;
        EXPECT_EQ(fields, row->fields.size()) << line;
        counted[static_cast<size_t>(row->kind)] = true;
      }
    }
    for (const row_spec& row : row_specs()) {
      if ((row.part() != row_part::train) == line_file) {
        EXPECT_TRUE(counted[static_cast<size_t>(row.kind)]) << overview << " lacks " << row.name;
      }
    }
  }
}

TEST(FormatReference, TheWordsThatShapeARowAreNamed) {
  auto text_of = [](row_keyword row) { return prose(section_of(keyword_test_of(row))->text); };
  const std::string curve = text_of(row_keyword::curve);
  EXPECT_NE(curve.find("\"" + std::string(kLeftCurve) + "\""), std::string::npos);
  EXPECT_NE(curve.find("digits " + std::string(kCurveClasses[0]) + " to " +
                       std::string(std::end(kCurveClasses)[-1])),
            std::string::npos);
  const std::string repetition = text_of(row_keyword::signal_repetition);
  for (std::string_view digit : kRepetitionCodes)
    EXPECT_NE(repetition.find("\"" + std::string(digit) + "\""), std::string::npos) << digit;
}

TEST(FormatReference, EveryRowKindHasAnExampleInItsFilesSections) {
  std::vector<bool> seen(keyword_tests().size());
  for (const reference_section& s : format_reference()) {
    for (bool line_file : {true, false}) {
      if (!describes_file(s, line_file)) continue;
      for (const std::string& row : examples_of(s)) {
        const std::optional<row_keyword> kind = kind_of(row, line_file);
        ASSERT_TRUE(kind) << s.title << ": \"" << row << "\" starts no row of its file";
        seen[static_cast<size_t>(*kind)] = true;
      }
    }
  }
  for (const keyword_test& t : keyword_tests())
    EXPECT_TRUE(seen[static_cast<size_t>(t.row)]) << "no example of " << t.written;
}

TEST(FormatReference, EveryExampleCompilesCleanInTheBuiltInScenario) {
  for (const reference_section& s : format_reference()) {
    for (bool line_file : {true, false}) {
      if (!describes_file(s, line_file)) continue;
      for (const std::string& row : examples_of(s)) {
        const cli_result r = check_with(row, line_file);
        EXPECT_TRUE(clean(r)) << s.title << ": " << row << "\n" << r.err << r.out;
      }
    }
  }
}

// The harness above must see a wrong row, or a clean result proves nothing.
TEST(FormatReference, AWrongExampleWouldBeCaught) {
  const struct {
    const char* row;
    bool line_file;
  } wrong[] = {
      {"stazione, 6000, 2, 600, 0,1,0, 2,1,0, 2,1,1, 60, 8,32, MORLENO", false},  // a field short
      {"segnale, 1760, 2, 4, 0, 0, 0, 0, 0,0,0, 0", false},                        // off the grid
      {"pendenza, 1200, 5, 0", true},                                           // a field too many
      {"indicatori_vmax, 2010, 100, 105, 110, 0, , , , 0", true},  // its cell holds a board
      {"rallentamento, 45000, 60, 1000, 0, 1", false},  // takes the next line's keyword
  };
  for (const auto& w : wrong) EXPECT_FALSE(clean(check_with(w.row, w.line_file))) << w.row;
}

TEST(FormatReference, ErrorCodesNamedAtRowsExist) {
  const std::regex code(R"(\b(\d+)(?=\s+when|,|\s+or\b|\s+only))");
  for (const reference_section& s : format_reference()) {
    if (!describes_file(s, true) && !describes_file(s, false)) continue;
    const std::string text = s.text;
    const size_t start = text.find("\nErrors");
    ASSERT_NE(start, std::string::npos) << s.title << " names no error";
    const std::string errors = text.substr(start, text.find("Warnings:", start) - start);
    int named = 0;
    for (std::sregex_iterator it(errors.begin(), errors.end(), code), end; it != end; ++it, ++named)
      EXPECT_NE(find_error_code(std::stoi((*it)[1])), nullptr)
          << s.title << ": there is no error " << (*it)[1];
    EXPECT_GT(named, 0) << s.title;
  }
}

TEST(FormatReference, WarningsNamedAtRowsExist) {
  for (const reference_section& s : format_reference()) {
    if (!describes_file(s, true) && !describes_file(s, false)) continue;
    const std::string text = prose(s.text);
    const size_t start = text.find("Warnings: ");
    if (start == std::string::npos) continue;
    // "Warnings: row-order, off-grid (start or end), run-out." names row-order, off-grid, run-out.
    const std::string list = std::regex_replace(
        text.substr(start + 10, text.find('.', start) - start - 10), std::regex(R"( *\([^)]*\))"), "");
    std::istringstream names(list);
    int named = 0;
    for (std::string name; std::getline(names, name, ','); ++named)
      EXPECT_TRUE(is_warning_kind(trimmed(name))) << s.title << ": no warning \"" << trimmed(name) << '"';
    EXPECT_GT(named, 1) << s.title;
  }
}

// Shown in a terminal and made into a manual page: plain ASCII, at most 78 columns, paragraphs
// apart by one blank line, every indented line indented by two spaces at least, and no line
// that a manual page would take for a request.
TEST(FormatReference, ReadsInATerminalAndAManualPage) {
  std::ostringstream out;
  print_format_reference(out);
  const std::string shown = out.str();
  EXPECT_TRUE(shown.starts_with(std::string(format_reference()[0].title) + "\n\n"));
  for (const reference_section& s : format_reference().subspan(1)) {
    const std::string title = s.title;
    EXPECT_NE(shown.find("\n\n" + title + "\n\n"), std::string::npos) << title;
  }
  for (const reference_section& s : format_reference()) {
    const std::string text = s.text;
    EXPECT_TRUE(!text.starts_with("\n") && text.ends_with("\n") && !text.ends_with("\n\n"))
        << s.title;
    EXPECT_EQ(text.find("\n\n\n"), std::string::npos) << s.title;
  }
  for (const std::string& line : lines_of(shown)) {
    EXPECT_LE(line.size(), 78u) << line;
    for (char c : line) EXPECT_TRUE(c >= ' ' && c <= '~') << line;
    EXPECT_FALSE(line.ends_with(" ")) << '"' << line << '"';
    EXPECT_FALSE(line.starts_with(" ") && !line.starts_with("  ")) << line;
    EXPECT_FALSE(line.starts_with(".") || line.starts_with("'")) << line;
  }
}

}  // namespace
