// The language server with the real check: what an editor is told of its buffers is what
// `check` says of the same files, place for place and word for word, notes included.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "cli/run_cli.h"
#include "lsp/documents.h"
#include "lsp/framing.h"
#include "testing/temp_folder.h"

namespace {

using json = nlohmann::json;

// Overwrite warnings with their notes, a misspelt row, a value off the grid and one out of
// range, and last an error that ends the train file's reading.
const std::string kLine =
    "[generale]\r\n"
    "lunghezza percorso, 6000\r\n"
    "[curve]\r\n"
    "pendenza, 0, 90\r\n"
    "indicatori_vmax, 2000, 60, 60, 60, 0, , , , 0\r\n"
    "[fine]\r\n";
const std::string kTrain =
    "[generale]\r\n"
    "velocita, 0, 100\r\n"
    "aderenza, 10, 100\r\n"
    "segnale, 2200, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"
    "stazione, 2000, 2, 200, 0,0,0, 2,1,0, 2,1,1, 60, 8,25,0, ALFA\r\n"
    "segnal, 3000, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n"
    "velocita, 3000, 1x\r\n"
    "[fine]\r\n";

std::string framed(const json& m) {
  const std::string body = m.dump();
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

json open_message(const std::string& path, const std::string& text) {
  return {{"jsonrpc", "2.0"},
          {"method", "textDocument/didOpen"},
          {"params", {{"textDocument", {{"uri", uri_of_path(path)}, {"languageId", "x"}, {"version", 1}, {"text", text}}}}}};
}

// Runs `lsp` in this process on `input`; its messages, in order.
std::vector<json> serve(const std::string& input, int* status) {
  std::istringstream in(input);
  std::streambuf* kept = std::cin.rdbuf(in.rdbuf());
  const cli_result r = run({"lsp", "--stdio"});
  std::cin.rdbuf(kept);
  *status = r.status;
  std::vector<json> messages;
  std::istringstream out(r.out);
  for (frame f = read_frame(out); f.what == frame::kind::message; f = read_frame(out))
    messages.push_back(json::parse(f.body));
  return messages;
}

TEST(LspCommand, TellsTheBuffersWhatCheckTellsOfTheFiles) {
  temp_folder dir;
  const std::string line = dir.file("Mini_linea.txt"), train = dir.file("Mini_42-.txt");
  write_file(line, kLine);
  write_file(train, kTrain);
  const cli_result check = run({"check", line, train});
  ASSERT_EQ(check.status, 1) << check.err;

  // The buffers hold what the files hold; the files on disk are emptied, so only the buffers
  // can give what the server tells.
  write_file(line, "");
  write_file(train, "");
  int status = 0;
  const std::vector<json> messages = serve(
      framed({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}}) +
          framed(open_message(line, kLine)) + framed(open_message(train, kTrain)) +
          framed({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}}) +
          framed({{"jsonrpc", "2.0"}, {"method", "exit"}}),
      &status);
  EXPECT_EQ(status, 0);

  // The last list published for each file, as "FILE:LINE:COL: MESSAGE" and its notes.
  std::map<std::string, json> last;
  for (const json& m : messages)
    if (m.value("method", "") == "textDocument/publishDiagnostics")
      last[m["params"]["uri"]] = m["params"]["diagnostics"];
  ASSERT_EQ(last.size(), 2u);
  std::multiset<std::string> told;
  auto place = [](const std::string& uri, const json& range) {
    return path_of_uri(uri) + ":" + std::to_string(range["start"]["line"].get<int>() + 1) + ":" +
           std::to_string(range["start"]["character"].get<int>() + 1) + ": ";
  };
  for (const auto& [uri, list] : last)
    for (const json& d : list) {
      told.insert(place(uri, d["range"]) + d["message"].get<std::string>());
      for (const json& note : d.value("relatedInformation", json::array()))
        told.insert(place(note["location"]["uri"], note["location"]["range"]) + "note: " +
                    note["message"].get<std::string>());
    }

  // check's lines that name a place: every diagnostic and note, without the rows and carets.
  std::multiset<std::string> checked;
  std::istringstream err(check.err);
  for (std::string l; std::getline(err, l);)
    if (l.starts_with(dir.path())) checked.insert(l);
  EXPECT_EQ(told, checked) << check.err;
  // What was meant to be there: errors, warnings of several kinds, and notes.
  for (const char* kind : {"error 25", "[-Woverwrite]", "[-Wunknown-row]", "[-Woff-grid]",
                           "[-Wrange]", "note: "})
    EXPECT_NE(check.err.find(kind), std::string::npos) << kind << "\n" << check.err;
}

TEST(LspCommand, WrongUsage) {
  const cli_result r = run({"lsp", "--port", "3"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("usage: scenario-compiler lsp"), std::string::npos) << r.err;
}

}  // namespace
