// The lint against the compile: a line it tells passed over is one the compile does without,
// and an off-grid position lands where it says.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/harness.h"
#include "lint/lint.h"
#include "model/route_model.h"
#include "testing/memory_compile.h"
#include "testing/temp_folder.h"

namespace {

// The kept seeds that hold both files (mode 2 or 3), as source pairs, with their plan bit.
struct seeded_sources {
  std::string name;
  source_pair sources;
  bool plan;
};

std::vector<seeded_sources> seeds_of_both_files() {
  std::vector<seeded_sources> out;
  const std::filesystem::path folder = std::filesystem::path(SC_SOURCE_DIR) / "fuzz" / "seeds";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string bytes = read_file(entry.path().string());
    if (bytes.empty() || (bytes[0] & 3) < 2) continue;
    const size_t cut = bytes.find("\n####\n");
    if (cut == std::string::npos) continue;
    out.push_back({entry.path().filename().string(),
                   {bytes.substr(1, cut - 1), bytes.substr(cut + 6)},
                   (bytes[0] & 4) != 0});
  }
  return out;
}

// `text` put in as line `at` (from 1) of `file`, or after its last line when it has fewer.
std::string with_lines(const std::string& file, size_t at, const std::string& text) {
  size_t start = 0;
  for (size_t line = 1; line < at && start < file.size(); ++line) {
    const size_t end = file.find('\n', start);
    if (end == std::string::npos) return file + "\r\n" + text;
    start = end + 1;
  }
  return file.substr(0, start) + text + file.substr(start);
}

size_t line_count(const std::string& file) {
  return static_cast<size_t>(std::count(file.begin(), file.end(), '\n')) + 1;
}

// Lines an author may write that start no row, alone or beside rows and headers; each set goes
// in at several places of its file.
const std::vector<std::string> kMadeLineLines = {
    "nota qualunque, 1, 2\r\n",
    "pendnza, 4000, 5\r\n",
    "xyz, pendenza, 4000, 5\r\n",
    "sfondo uno, 1\r\n",
    "sfondo uno, pendenza, 4000, 5\r\n",
    "nota, [curve], pendenza, 100, 3\r\n",
    "Una linea di prova\r\n",
    "nota, -\r\n-\r\nmontagna-x, 1000, 1150, 2\r\n",
    "nota, pendenza-x, 4000, 5\r\n",
    "xyz, curvad3, 1000, 500\r\n",
    "----------\r\nnota, -, -, indicatori_vmax-1, 400, 30, 30, 30, 0, , , , 0\r\n",
    "cartello, 100\r\n",
    "PROGRESSIVA chilometrica uno, 500, -450, 0\r\n",
};
const std::vector<std::string> kMadeTrainLines = {
    "xyz, velocita, 1200, 95\r\n",
    "segnal, 4150, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
    "nota, velocita-x, 0, 100\r\n",
    "nota, -, -, velocita-1, 1200, 95\r\n",
    "nota, -\r\n-\r\nvelocita-x, 1800, 80\r\n",
    "-, -, -\r\n",
    "nota in prosa\r\n",
    "nota, orologio, 9, 10, 11\r\n",
    "stazion, 5000, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,35,0, BETA\r\n",
    "aderenz, 2000, 90\r\nnota\r\n",
};

void expect_passed_over_lines_count_for_nothing(const std::string& what, const source_pair& s,
                                                bool plan, size_t* taken_out) {
  const passed_over_lines taken = take_out_passed_over_lines(s, plan, SIZE_MAX);
  EXPECT_EQ(taken.differs, "") << what;
  *taken_out += taken.taken_out;
}

TEST(LintTellsCompile, ALinePassedOverChangesNoByteOfTheOutput) {
  std::vector<seeded_sources> all = seeds_of_both_files();
  ASSERT_FALSE(all.empty());
  all.push_back({"built-in", builtin_sources(), false});
  size_t taken_out = 0;
  for (const seeded_sources& base : all) {
    expect_passed_over_lines_count_for_nothing(base.name, base.sources, base.plan, &taken_out);
    for (bool line_file : {true, false}) {
      const std::string& file = line_file ? base.sources.line : base.sources.train;
      const size_t lines = line_count(file);
      // In the general section, among the rows, before the last line and after it.
      for (size_t at : {size_t{3}, lines / 2, lines - 1, lines + 1})
        for (const std::string& made : line_file ? kMadeLineLines : kMadeTrainLines) {
          source_pair s = base.sources;
          (line_file ? s.line : s.train) = with_lines(file, at, made);
          expect_passed_over_lines_count_for_nothing(
              base.name + (line_file ? ", line file" : ", train file") + " line " +
                  std::to_string(at) + ": " + made,
              s, base.plan, &taken_out);
        }
    }
  }
  // The made lines give the lint lines to tell passed over: the test takes them out.
  EXPECT_GT(taken_out, 100u);
}

// A row placed off the grid, and where the compiled grid holds what it placed.
struct placed_row {
  const char* name;
  bool line_file;
  std::function<std::string(int32_t)> row;  // the row with its value at a metre
  const char* told;                         // the warning's words for the value
  std::function<int64_t(const memory_compile&)> placed;  // metres, read from the cells
};

// The first or last cell for which `holds` is true, or -1.
int64_t first_cell(const memory_compile& c, const std::function<bool(const track_cell&)>& holds) {
  for (size_t i = 0; i < c.form->track_cells.size(); ++i)
    if (holds(c.form->track_cells[i])) return static_cast<int64_t>(i);
  return -1;
}
int64_t last_cell(const memory_compile& c, const std::function<bool(const track_cell&)>& holds) {
  for (size_t i = c.form->track_cells.size(); i-- > 0;)
    if (holds(c.form->track_cells[i])) return static_cast<int64_t>(i);
  return -1;
}
// A point object is told at the start of the cell before its own, as inspect tells it.
std::function<int64_t(const memory_compile&)> point_at(uint8_t kind) {
  return [kind](const memory_compile& c) {
    return (first_cell(c, [kind](const track_cell& t) { return t.kind == kind; }) - 1) * 50;
  };
}

TEST(LintTellsCompile, AnOffGridValueLandsWhereTheWarningSays) {
  const std::vector<placed_row> rows = {
      {"signal", false,
       [](int32_t p) { return "segnale, " + std::to_string(p) + ", 2, 4, 0, 0, 0, 0, 0,0,0, 0"; },
       "the position", point_at(kind_signal)},
      {"speed board", true,
       [](int32_t p) { return "indicatori_vmax, " + std::to_string(p) + ", 30, 30, 30, 0, , , , 0"; },
       "the position", point_at(kind_speed_board)},
      {"indicator board", true,
       [](int32_t p) { return "cartello_indicatore, " + std::to_string(p) + ", TESTO"; },
       "the position", point_at(kind_indicator_board)},
      {"slowdown start", false,
       [](int32_t p) { return "rallentamento, " + std::to_string(p) + ", 60, " + std::to_string(4000 - p) + ", 0, 0, 0"; },
       "the start", point_at(kind_slowdown_start)},
      {"slowdown end", false,
       [](int32_t p) { return "rallentamento, 1500, 60, " + std::to_string(p) + ", 0, 0, 0"; },
       "the end", point_at(kind_slowdown_end)},
      {"speed cut", false, [](int32_t p) { return "abbattimento, " + std::to_string(p) + ", 5"; },
       "the position",
       [](const memory_compile& c) {
         return first_cell(c, [](const track_cell& t) {
                  return t.kind == kind_speed_cut || t.kind == kind_speed_cut_value;
                }) * 50;
       }},
      {"gradient", true, [](int32_t p) { return "pendenza, " + std::to_string(p) + ", 5"; },
       "the position",
       [](const memory_compile& c) {
         return first_cell(c, [](const track_cell& t) { return t.gradient_code == 105; }) * 50;
       }},
      {"speed", false, [](int32_t p) { return "velocita, " + std::to_string(p) + ", 80"; },
       "the position",
       [](const memory_compile& c) {
         return first_cell(c, [](const track_cell& t) { return t.speed_code == 16; }) * 50;
       }},
      {"mountain start", true,
       [](int32_t p) { return "montagna, " + std::to_string(p) + ", 6000, 2"; }, "the start",
       [](const memory_compile& c) {
         return first_cell(c, [](const track_cell& t) { return t.mountain_type == 2; }) * 50;
       }},
      // A mountain covers its cells up to the one before its end's.
      {"mountain end", true,
       [](int32_t p) { return "montagna, 1000, " + std::to_string(p) + ", 2"; }, "the end",
       [](const memory_compile& c) {
         return (last_cell(c, [](const track_cell& t) { return t.mountain_type == 2; }) + 1) * 50;
       }},
  };
  // Every remainder, the halves above all: they round to the even neighbour.
  const std::vector<int32_t> metres = {1725, 1775, 1825, 1875, 2025, 2075, 1710, 1740, 1760, 1790};
  for (const placed_row& r : rows)
    for (int32_t p : metres) {
      std::vector<std::string> line = {"[generale]", "lunghezza percorso, 10000", "[pendenze]",
                                       "pendenza, 0, 0"};
      std::vector<std::string> train = {"[generale]", "velocita, 0, 100", "aderenza, 0, 100"};
      (r.line_file ? line : train).push_back(r.row(p));
      line.push_back("[fine]");
      train.push_back("[fine]");
      const memory_compile compiled(crlf_text(line), crlf_text(train));
      ASSERT_EQ(compiled.form->error_code, 0) << r.name << " at " << p;
      const std::vector<diagnostic> told =
          lint_scenario({"Mini_linea.txt", crlf_text(line)}, {"Mini_42-.txt", crlf_text(train)}, {});
      std::string says;
      for (const diagnostic& d : told)
        if (d.name == "off-grid" && d.detail.starts_with(r.told)) says = d.detail;
      const size_t at = says.find("rounded to ");
      if (at == std::string::npos) {
        ADD_FAILURE() << r.name << " at " << p << " is not told off the grid";
        continue;
      }
      EXPECT_EQ(std::stoll(says.substr(at + 11)), r.placed(compiled)) << r.name << " at " << p
                                                                       << ": " << says;
    }
}

}  // namespace
