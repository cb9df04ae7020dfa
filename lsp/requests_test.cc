// Hover, completion, the outline and quick fixes, each on a small buffer of its own.
#include <gtest/gtest.h>

#include <string>

#include "lsp/code_actions.h"
#include "lsp/completion.h"
#include "lsp/hover.h"
#include "lsp/symbols.h"

namespace {

using json = nlohmann::json;

constexpr const char* kTrain =
    "[generale]\n"
    "segnale, 1750, 2, 5,6,1, 0, 0, 0,0,0, 0\n"
    "stazione, 9600, 8, 800, 1,0,0, 4,1,0, 2,1,1, 60, 8,25,0, CITT\xc3\x80 ALTA\n"
    "rallentamento, 3000, 60, 500, 1, 0, 0\n"
    "velocita, 0, 30\n";

constexpr const char* kLine =
    "[generale]\n"
    "lunghezza percorso, 82000\n"
    "[curve]\n"
    "indicatori_vmax, 800, 30,30,30,0, 0,0,0,0\n"
    "cartello_indicatore, 1200, BIVIO\n";

open_document document(const char* path, const char* text) {
  document_store store;
  return store.put("file://" + std::string(path), text);
}

// Marks as the line's progressives make them: from 9600 m on, km 0.050 and up.
kilometre_marks marks() {
  const progressive_mark p[3] = {{9600, 50, 0}, {0, 0, 0}, {0, 0, 0}};
  return kilometre_marks(p);
}

std::string hover_text(const source_view& v, int line, int column) {
  const json h = hover_at(v, line, column, marks());
  return h.is_null() ? "" : h["contents"]["value"].get<std::string>();
}

TEST(Hover, TellsTheFieldInTheRowTablesWords) {
  const open_document d = document("/r/A_1-.txt", kTrain);
  const source_view v(d);
  const std::string stop = hover_text(v, 2, 46);  // on "60"
  EXPECT_NE(stop.find("**stop value**: field 13 of 17 of a **station** row (`stazione`)"),
            std::string::npos)
      << stop;
  const field_spec& spec = row_spec_of(row_kind::station).fields[12];
  EXPECT_NE(stop.find(spec.meaning), std::string::npos);
  EXPECT_NE(stop.find(std::string("range: ") + spec.range), std::string::npos);

  // A place along the route: its cell and the line's kilometre mark.
  const std::string station = hover_text(v, 2, 11);
  EXPECT_NE(station.find("9600 m: cell 192, km 0.050"), std::string::npos) << station;
  const std::string signal = hover_text(v, 1, 10);  // a point object stands one cell on
  EXPECT_NE(signal.find("1750 m: cell 36, km 1.750"), std::string::npos) << signal;
  // A length is no place.
  EXPECT_EQ(hover_text(v, 3, 25).find(" m: cell"), std::string::npos);

  // On the keyword: what the row does.
  const std::string keyword = hover_text(v, 3, 3);
  EXPECT_NE(keyword.find(row_spec_of(row_kind::slowdown).does), std::string::npos) << keyword;
  EXPECT_NE(keyword.find("6 fields after the keyword: start, speed, length"), std::string::npos);

  // Past the name's "À", columns count UTF-16 units of the buffer.
  const json name = hover_at(v, 2, 66, marks());
  ASSERT_FALSE(name.is_null());
  EXPECT_EQ(name["range"]["start"]["character"], 57);
  EXPECT_EQ(name["range"]["end"]["character"], 67);
  // The section header and blanks past the row's end hold no field.
  EXPECT_TRUE(hover_at(v, 0, 2, marks()).is_null());
  EXPECT_TRUE(hover_at(v, 40, 0, marks()).is_null());
}

TEST(Completion, KeywordsOfTheFilesOwnRowsWithTheirFields) {
  const open_document train = document("/r/A_1-.txt", "[generale]\nseg\n");
  const json items = completion_at(source_view(train), 1, 3)["items"];
  std::vector<std::string> labels;
  for (const json& item : items) labels.push_back(item["label"]);
  EXPECT_EQ(labels.size(), 10u);
  EXPECT_NE(std::find(labels.begin(), labels.end(), "stazione"), labels.end());
  EXPECT_EQ(std::find(labels.begin(), labels.end(), "pendenza"), labels.end());
  for (const json& item : items)
    if (item["label"] == "velocita") {
      EXPECT_EQ(item["insertText"], "velocita, ${1:position}, ${2:speed}");
      EXPECT_EQ(item["insertTextFormat"], 2);
    }

  const open_document line = document("/r/A_linea.txt", "[generale]\n\n");
  labels.clear();
  const json line_items = completion_at(source_view(line), 1, 0)["items"];
  for (const json& item : line_items) labels.push_back(item["label"]);
  // Each way the readers start a row: the three progressives each.
  for (const char* l : {"lunghezza percorso", "progressiva chilometrica uno", "sfondo tre",
                        "curvad6", "cartello_indicatore"})
    EXPECT_NE(std::find(labels.begin(), labels.end(), l), labels.end()) << l;
}

TEST(Completion, InsideARowTheFieldTheCursorIsIn) {
  const open_document d = document("/r/A_1-.txt", "[generale]\nstazione, 500, 8, 80\nvelocita, 1, 2, 3\n");
  const source_view v(d);
  const json at_length = completion_at(v, 1, 20)["items"];
  ASSERT_EQ(at_length.size(), 1u);
  EXPECT_EQ(at_length[0]["label"], "length");
  // Choosing it keeps what is typed.
  EXPECT_EQ(at_length[0]["insertText"], "80");
  EXPECT_EQ(completion_at(v, 1, 10)["items"][0]["label"], "position");
  // Past the row's last field: nothing.
  EXPECT_TRUE(completion_at(v, 2, 17)["items"].empty());
}

TEST(Symbols, StationsSignalsSlowdownsAndBoardsWithTheirPlaces) {
  const open_document train = document("/r/A_1-.txt", kTrain);
  const json symbols = document_symbols(source_view(train), marks());
  ASSERT_EQ(symbols.size(), 3u);
  EXPECT_EQ(symbols[0]["name"], "signal");
  EXPECT_EQ(symbols[0]["detail"], "1750 m (km 1.750)");
  EXPECT_EQ(symbols[1]["name"], "CITT\xc3\x80 ALTA");
  EXPECT_EQ(symbols[1]["detail"], "station at 9600 m (km 0.050)");
  EXPECT_EQ(symbols[1]["selectionRange"]["start"]["line"], 2);
  EXPECT_EQ(symbols[2]["name"], "slowdown");

  const open_document line = document("/r/A_linea.txt", kLine);
  const json boards = document_symbols(source_view(line), marks());
  ASSERT_EQ(boards.size(), 2u);
  EXPECT_EQ(boards[0]["name"], "speed board");
  EXPECT_EQ(boards[1]["name"], "board \"BIVIO\"");
  EXPECT_EQ(boards[1]["detail"], "1200 m (km 1.200)");
}

json diagnostic_at(const char* code, int line, int character) {
  return {{"code", code},
          {"range", {{"start", {{"line", line}, {"character", character}}},
                     {"end", {{"line", line}, {"character", character + 1}}}}},
          {"message", "..."}};
}

TEST(CodeActions, TheFixesTheWarningsName) {
  struct case_ {
    const char* path;
    const char* text;
    const char* code;
    int line, character;
    const char* fixed;  // empty: no fix
  } cases[] = {
      {"/r/A_1-.txt", "[generale]\nsegnal, 1750\n", "unknown-row", 1, 0, "segnale"},
      {"/r/A_1-.txt", "[generale]\nstazone, 5\n", "unknown-row", 1, 0, "stazione"},
      {"/r/A_linea.txt", "[generale]\ncurvx6, 1, 2\n", "unknown-row", 1, 0, "curva6"},
      {"/r/A_linea.txt", "[generale]\nsfondo Uno, 1\n", "unknown-row", 1, 0, "sfondo uno"},
      {"/r/A_linea.txt", "[generale]\nnumero vetture, 1\n", "unknown-row", 1, 0, ""},
      {"/r/A_1-.txt", "[generale]\nvelocita, 1730, 30\n", "off-grid", 1, 10, "1750"},
      {"/r/A_1-.txt", "[generale]\nvelocita, 1725, 30\n", "off-grid", 1, 10, "1700"},
      {"/r/A_linea.txt", "[generale]\ncurvad1000, 1, 2\n", "curve-class", 1, 0, "curvad4"},
      {"/r/A_linea.txt", "[generale]\ncurvas300, 1, 2\n", "curve-class", 1, 0, "curvas6"},
      {"/r/A_1-.txt", "[generale]\nstazione, 0, 8, 800, 1,0,0, 4,1,0, 2,1,1, 1, 8,25,0, \"BORGO\"\n",
       "text-field", 1, 53, "BORGO"},
      {"/r/A_1-.txt", "[generale]\nvelocita, 1730, 30\n", "range", 1, 10, ""},
  };
  for (const case_& c : cases) {
    const open_document d = document(c.path, c.text);
    const json found =
        code_actions(source_view(d), json::array({diagnostic_at(c.code, c.line, c.character)}));
    if (std::string(c.fixed).empty()) {
      EXPECT_TRUE(found.empty()) << c.text << found.dump();
      continue;
    }
    ASSERT_EQ(found.size(), 1u) << c.text;
    const json edit = found[0]["edit"]["changes"][d.uri][0];
    EXPECT_EQ(edit["newText"], c.fixed) << c.text;
    EXPECT_EQ(edit["range"]["start"]["character"], c.character) << c.text;
    EXPECT_EQ(found[0]["kind"], "quickfix");
    EXPECT_EQ(found[0]["diagnostics"][0]["code"], c.code);
  }
}

}  // namespace
