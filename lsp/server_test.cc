// The server through its messages, with a check of the test's own that records what it was
// asked and answers what the test wants told.
#include "lsp/server.h"

#include <gtest/gtest.h>

#include <sstream>

#include "lsp/framing.h"
#include "testing/temp_folder.h"

namespace {

using json = nlohmann::json;

struct recorded_server {
  std::vector<check_request> asked;
  std::vector<diagnostic> to_tell;  // what the check answers
  std::vector<json> sent;
  lsp_server server{[this](const check_request& r) {
                      asked.push_back(r);
                      return check_outcome{to_tell, {}};
                    },
                    [this](const json& m) { sent.push_back(m); }};

  void send(const json& m) { server.handle(m.dump()); }
  json request(int id, const std::string& method, const json& params) {
    sent.clear();
    send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
    for (const json& m : sent)
      if (m.contains("id") && m["id"] == id) return m;
    ADD_FAILURE() << method << " was not answered";
    return nullptr;
  }
  void notify(const std::string& method, const json& params) {
    send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }
  void initialize() { request(0, "initialize", {{"capabilities", json::object()}}); }
  void open(const std::string& path, const std::string& text) {
    notify("textDocument/didOpen",
           {{"textDocument",
             {{"uri", uri_of_path(path)}, {"languageId", "x"}, {"version", 1}, {"text", text}}}});
  }
  std::map<std::string, json> published() const {
    std::map<std::string, json> out;
    for (const json& m : sent)
      if (m.value("method", "") == "textDocument/publishDiagnostics")
        out[m["params"]["uri"]] = m["params"]["diagnostics"];
    return out;
  }
};

TEST(Server, MalformedMessagesGetErrorsAndTheServerGoesOn) {
  recorded_server s;
  struct case_ {
    std::string body;
    int code;
    json id;
  } cases[] = {
      {"{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":", -32700, nullptr},
      {"[1,2]", -32600, nullptr},
      {"42", -32600, nullptr},
      {"{\"jsonrpc\":\"2.0\",\"id\":2}", -32600, 2},
      {"{\"jsonrpc\":\"2.0\",\"id\":3,\"method\":7}", -32600, 3},
      {"{\"jsonrpc\":\"2.0\",\"id\":{\"a\":1},\"method\":\"shutdown\"}", -32600, nullptr},
      // Before initialize, a request is refused.
      {"{\"jsonrpc\":\"2.0\",\"id\":\"s\",\"method\":\"textDocument/hover\"}", -32002, "s"},
  };
  for (const case_& c : cases) {
    s.sent.clear();
    s.server.handle(c.body);
    ASSERT_EQ(s.sent.size(), 1u) << c.body;
    EXPECT_EQ(s.sent[0]["error"]["code"], c.code) << c.body;
    EXPECT_EQ(s.sent[0]["id"], c.id) << c.body;
  }
  s.sent.clear();
  s.server.bad_frame("no Content-Length header");
  EXPECT_EQ(s.sent.at(0)["error"]["code"], -32700);

  s.initialize();
  EXPECT_EQ(s.request(5, "workspace/symbol", json::object())["error"]["code"], -32601);
  // Parameters that do not fit the method.
  EXPECT_EQ(s.request(6, "textDocument/hover", json::object())["error"]["code"], -32602);
  EXPECT_EQ(s.request(7, "textDocument/hover", {{"textDocument", {{"uri", 3}}}})["error"]["code"],
            -32602);
  s.open("/nowhere/A_1-.txt", "[generale]\n");
  EXPECT_EQ(s.request(8, "textDocument/hover",
                      {{"textDocument", {{"uri", "file:///nowhere/A_1-.txt"}}},
                       {"position", {{"line", -1}, {"character", 0}}}})["error"]["code"],
            -32602);
  // A position that is no whole number from 0 is refused, not converted.
  for (const json& bad : {json(1e30), json(2.5), json(uint64_t{1} << 40), json("3")})
    EXPECT_EQ(s.request(9, "textDocument/hover",
                        {{"textDocument", {{"uri", "file:///nowhere/A_1-.txt"}}},
                         {"position", {{"line", bad}, {"character", 0}}}})["error"]["code"],
              -32602)
        << bad;
  // Nesting as deep as the input allows is answered, never walked by recursion.
  s.sent.clear();
  s.server.handle("{\"jsonrpc\":\"2.0\",\"id\":10,\"method\":\"textDocument/hover\",\"params\":" +
                  std::string(200000, '[') + std::string(200000, ']') + "}");
  ASSERT_EQ(s.sent.size(), 1u);
  EXPECT_EQ(s.sent[0]["error"]["code"], -32602);
  // A notification that does not fit is passed over without an answer; an unknown one too.
  s.sent.clear();
  s.notify("textDocument/didOpen", {{"textDocument", 5}});
  s.notify("$/cancelRequest", {{"id", 1}});
  EXPECT_TRUE(s.sent.empty());
  EXPECT_FALSE(s.server.exited());
}

TEST(Server, AFileItDoesNotHoldAnswersEmpty) {
  recorded_server s;
  s.initialize();
  s.open("/r/notes.md", "stazione, 0\n");  // not a source: held, never checked
  EXPECT_TRUE(s.asked.empty());
  const json position = {{"line", 0}, {"character", 1}};
  for (const char* uri : {"file:///r/never_opened_linea.txt", "file:///r/notes.md"}) {
    const json doc = {{"uri", uri}};
    EXPECT_TRUE(s.request(1, "textDocument/hover", {{"textDocument", doc}, {"position", position}})["result"].is_null());
    EXPECT_TRUE(s.request(2, "textDocument/completion", {{"textDocument", doc}, {"position", position}})["result"].is_null());
    EXPECT_EQ(s.request(3, "textDocument/documentSymbol", {{"textDocument", doc}})["result"], json::array());
    EXPECT_EQ(s.request(4, "textDocument/codeAction",
                        {{"textDocument", doc}, {"range", {{"start", position}, {"end", position}}},
                         {"context", {{"diagnostics", json::array()}}}})["result"],
              json::array());
  }
}

TEST(Server, ShutdownThenExit) {
  recorded_server s;
  s.initialize();
  const json init = s.request(1, "initialize", json::object());
  EXPECT_TRUE(init["result"]["capabilities"]["hoverProvider"]);
  EXPECT_TRUE(s.request(2, "shutdown", nullptr)["result"].is_null());
  // After shutdown a request is refused and a change is not checked.
  EXPECT_EQ(s.request(3, "textDocument/hover", json::object())["error"]["code"], -32600);
  s.open("/r/A_linea.txt", "[generale]\n");
  EXPECT_TRUE(s.asked.empty());
  s.notify("exit", nullptr);
  EXPECT_TRUE(s.server.exited());
  EXPECT_EQ(s.server.exit_code(), 0);

  recorded_server abrupt;
  abrupt.notify("exit", nullptr);
  EXPECT_TRUE(abrupt.server.exited());
  EXPECT_EQ(abrupt.server.exit_code(), 1);
}

// The check gets both halves, the buffer's text in Windows-1252 and the file on disk as it is,
// and what it says goes to the file it names, at the field's range, with its notes.
TEST(Server, ChecksThePairAndPublishesToTheFilesTheDiagnosticsName) {
  temp_folder dir;
  const std::string line = dir.file("Monte_linea.txt"), train = dir.file("Monte_101-.txt");
  write_file(train, "[generale]\r\nsegnal\xe9, 4150\r\n");  // Windows-1252 on disk
  recorded_server s;
  s.initialize();

  diagnostic loss = warning_at({train, 2, 1, "segnal\xc3\xa9, 4150"}, "unknown-row", "no row");
  loss.related.push_back({{line, 3, 12, "stazione"}, "the earlier row is here"});
  s.to_tell = {fault_at({line, 3, 15, "pendenza,  0, 1x  ,"}, 25, std::nullopt, "\"1x\" is not a number"),
               loss, program_message("Errore n. 1250")};
  s.sent.clear();
  s.open(line, "[generale]\nlunghezza percorso, 9000\npendenza,  0, 1x  ,\n\xe2\x82\xac\n");
  ASSERT_EQ(s.asked.size(), 1u);
  const check_request& r = s.asked[0];
  EXPECT_EQ(r.line_path, line);
  EXPECT_EQ(r.train_path, train);
  EXPECT_EQ(r.route, "Monte");
  EXPECT_EQ(r.train, "101");
  EXPECT_EQ(r.line_bytes, "[generale]\nlunghezza percorso, 9000\npendenza,  0, 1x  ,\n\x80\n");
  EXPECT_EQ(r.train_bytes, "[generale]\r\nsegnal\xe9, 4150\r\n");

  const std::map<std::string, json> published = s.published();
  ASSERT_EQ(published.size(), 2u);
  const json& in_line = published.at(uri_of_path(line));
  ASSERT_EQ(in_line.size(), 2u);
  EXPECT_EQ(in_line[0]["code"], 25);
  EXPECT_EQ(in_line[0]["severity"], 1);
  EXPECT_EQ(in_line[0]["message"], "error 25: the row cannot be read: \"1x\" is not a number");
  EXPECT_EQ(in_line[0]["range"],
            json::parse(R"({"start":{"line":2,"character":14},"end":{"line":2,"character":16}})"));
  // A message tied to no file stands at the top of the file checked.
  EXPECT_EQ(in_line[1]["message"], "Errore n. 1250");
  EXPECT_EQ(in_line[1]["range"]["start"]["line"], 0);
  const json& in_train = published.at(uri_of_path(train));
  ASSERT_EQ(in_train.size(), 1u);
  EXPECT_EQ(in_train[0]["code"], "unknown-row");
  EXPECT_EQ(in_train[0]["severity"], 2);
  EXPECT_EQ(in_train[0]["message"], "warning: no row [-Wunknown-row]");
  // The disk file's bytes are one character each: "segnal\xe9" ends at 7.
  EXPECT_EQ(in_train[0]["range"]["end"]["character"], 7);
  const json& note = in_train[0]["relatedInformation"][0];
  EXPECT_EQ(note["location"]["uri"], uri_of_path(line));
  EXPECT_EQ(note["location"]["range"]["start"]["line"], 2);
  EXPECT_EQ(note["message"], "the earlier row is here");

  // The train file opened: its buffer is checked now, and a clean check clears both files.
  s.to_tell.clear();
  s.sent.clear();
  s.open(train, "[generale]\nsegnale, 4150\n");
  ASSERT_EQ(s.asked.size(), 2u);
  EXPECT_EQ(s.asked[1].train_bytes, "[generale]\nsegnale, 4150\n");
  EXPECT_EQ(s.asked[1].line_bytes, s.asked[0].line_bytes);
  for (const auto& [uri, list] : s.published()) EXPECT_EQ(list, json::array()) << uri;
  EXPECT_EQ(s.published().size(), 2u);
}

TEST(Server, EveryChangeIsCheckedAndACharacterTheCodePageLacksIsAnError) {
  temp_folder dir;
  const std::string train = dir.file("Monte_101-.txt");
  recorded_server s;
  s.initialize();
  s.open(train, "[generale]\n");
  ASSERT_EQ(s.asked.size(), 1u);
  // No line file anywhere: it is checked as empty, and said so at the top of the train file.
  EXPECT_EQ(s.asked[0].line_path, dir.file("Monte_linea.txt"));
  EXPECT_EQ(s.asked[0].line_bytes, "");
  json first = s.published().at(uri_of_path(train));
  ASSERT_EQ(first.size(), 1u);
  EXPECT_NE(first[0]["message"].get<std::string>().find("no line file found"), std::string::npos);

  s.sent.clear();
  s.notify("textDocument/didChange",
           {{"textDocument", {{"uri", uri_of_path(train)}, {"version", 2}}},
            {"contentChanges", json::array({{{"text", "[generale]\nstazione, 0, \xe6\x97\xa5\n"}}})}});
  ASSERT_EQ(s.asked.size(), 2u);
  ASSERT_EQ(s.asked[1].encoding_faults.size(), 1u);
  // Its column counts characters, as the other diagnostics' do.
  EXPECT_EQ(s.asked[1].encoding_faults[0].where.column, 14);
  EXPECT_EQ(s.asked[1].train_bytes, "[generale]\nstazione, 0, ?\n");

  // A change to a buffer the server does not hold is passed over.
  s.notify("textDocument/didChange",
           {{"textDocument", {{"uri", uri_of_path(dir.file("Other_1-.txt"))}}},
            {"contentChanges", json::array({{{"text", ""}}})}});
  EXPECT_EQ(s.asked.size(), 2u);
  // Closing clears its diagnostics.
  s.sent.clear();
  s.notify("textDocument/didClose", {{"textDocument", {{"uri", uri_of_path(train)}}}});
  EXPECT_EQ(s.published().at(uri_of_path(train)), json::array());
}

TEST(Server, ServesAStreamUntilExit) {
  std::string input;
  auto frame_of = [](const json& m) {
    const std::string body = m.dump();
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
  };
  input += frame_of({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}, {"params", json::object()}});
  input += "Content-Length: x\r\n\r\n";
  input += frame_of({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}});
  input += frame_of({{"jsonrpc", "2.0"}, {"method", "exit"}});
  input += frame_of({{"jsonrpc", "2.0"}, {"id", 3}, {"method", "shutdown"}});  // never read
  std::istringstream in(input);
  std::stringstream out;
  EXPECT_EQ(serve_lsp(in, out, [](const check_request&) { return check_outcome{}; }), 0);
  std::vector<json> answers;
  for (frame f = read_frame(out); f.what == frame::kind::message; f = read_frame(out))
    answers.push_back(json::parse(f.body));
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[0]["id"], 1);
  EXPECT_EQ(answers[1]["error"]["code"], -32700);
  EXPECT_EQ(answers[2]["id"], 2);

  // The input's end without shutdown.
  std::istringstream cut(frame_of({{"jsonrpc", "2.0"}, {"id", 1}, {"method", "initialize"}}));
  std::stringstream ignored;
  EXPECT_EQ(serve_lsp(cut, ignored, [](const check_request&) { return check_outcome{}; }), 1);
}

}  // namespace
