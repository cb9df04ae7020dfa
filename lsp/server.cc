#include "lsp/server.h"

#include <istream>
#include <stdexcept>
#include <ostream>

#include "files/whole_file.h"
#include "lsp/code_actions.h"
#include "lsp/completion.h"
#include "lsp/framing.h"
#include "lsp/hover.h"
#include "lsp/lsp_diagnostics.h"
#include "lsp/source_view.h"
#include "lsp/symbols.h"

namespace {

using json = nlohmann::json;

// JSON-RPC's and the protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

// The protocol's full text synchronisation: every change sends the whole buffer.
constexpr int kFullSync = 1;

json capabilities() {
  return {{"textDocumentSync", {{"openClose", true}, {"change", kFullSync}}},
          {"hoverProvider", true},
          {"completionProvider", {{"triggerCharacters", json::array({","})}}},
          {"documentSymbolProvider", true},
          {"codeActionProvider", {{"codeActionKinds", json::array({"quickfix"})}}}};
}

// A half of a pair as the check reads it: the open buffer in Windows-1252, else the file on
// disk as it is, else nothing.
struct half {
  std::string bytes;
  const open_document* open = nullptr;
  std::vector<diagnostic> encoding_faults;
  bool found = false;
};

half read_half(const std::string& path, bool missing, const document_store& documents) {
  half h;
  if (missing) return h;
  if ((h.open = documents.find_path(path))) {
    const source_view view(*h.open);
    h.bytes = view.bytes;
    // The faults' columns count the buffer's bytes; the protocol's, its characters.
    for (diagnostic d : view.encoding_faults) {
      if (d.where.line > 0)
        d.where.column =
            view.lines.character_of_byte(d.where.line - 1, static_cast<size_t>(d.where.column - 1)) + 1;
      h.encoding_faults.push_back(std::move(d));
    }
    h.found = true;
    return h;
  }
  whole_file read = read_whole_file(path);
  h.found = read.ok;
  h.bytes = std::move(read.bytes);
  return h;
}

}  // namespace

void lsp_server::reply(const json& id, json result) {
  send_({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void lsp_server::reply_error(const json& id, int code, const std::string& message) {
  send_({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void lsp_server::bad_frame(const std::string& problem) {
  reply_error(nullptr, kParseError, "unreadable message header: " + problem);
}

void lsp_server::handle(std::string_view body) {
  const json message = json::parse(body, nullptr, false);
  if (message.is_discarded()) return reply_error(nullptr, kParseError, "the message is no JSON");
  if (!message.is_object()) return reply_error(nullptr, kInvalidRequest, "the message is no object");
  json id = nullptr;
  const bool has_id = message.contains("id");
  if (has_id) {
    // Checked before it is copied: a client's nesting is never walked by recursion.
    const json& given = message["id"];
    if (!given.is_number_integer() && !given.is_string() && !given.is_null())
      return reply_error(nullptr, kInvalidRequest, "the id is neither a number nor a string");
    id = given;
  }
  if (!message.contains("method")) {
    // An answer to a request of ours: the server sends none, so it is passed over.
    if (has_id && (message.contains("result") || message.contains("error"))) return;
    return reply_error(id, kInvalidRequest, "the message has no method");
  }
  if (!message["method"].is_string())
    return reply_error(id, kInvalidRequest, "the method is no string");
  const std::string method = message["method"].get<std::string>();
  static const json kNoParams = json::object();
  const json& params = message.contains("params") ? message["params"] : kNoParams;
  if (has_id)
    request(id, method, params);
  else
    notification(method, params);
}

void lsp_server::request(const json& id, const std::string& method, const json& params) {
  if (method == "initialize") {
    initialized_ = true;
    return reply(id, {{"capabilities", capabilities()},
                      {"serverInfo", {{"name", "scenario-compiler"}, {"version", SC_VERSION}}}});
  }
  if (!initialized_) return reply_error(id, kServerNotInitialized, "initialize comes first");
  if (shut_down_) return reply_error(id, kInvalidRequest, "the server is shut down");
  if (method == "shutdown") {
    shut_down_ = true;
    return reply(id, nullptr);
  }
  try {
    json result = answer(method, params);
    if (result.is_discarded()) return reply_error(id, kMethodNotFound, "no method " + method);
    reply(id, std::move(result));
  } catch (const json::exception& e) {
    reply_error(id, kInvalidParams, std::string("the parameters do not fit ") + method + ": " + e.what());
  } catch (const std::invalid_argument& e) {
    reply_error(id, kInvalidParams, std::string("the parameters do not fit ") + method + ": " + e.what());
  } catch (const std::exception& e) {
    reply_error(id, kInternalError, std::string(method) + " failed: " + e.what());
  }
}

json lsp_server::answer(const std::string& method, const json& params) {
  const bool known = method == "textDocument/hover" || method == "textDocument/completion" ||
                     method == "textDocument/documentSymbol" || method == "textDocument/codeAction";
  if (!known) return json(json::value_t::discarded);
  const std::string uri = params.at("textDocument").at("uri").get<std::string>();
  const open_document* d = documents_.find(uri);
  const bool symbols = method == "textDocument/documentSymbol" || method == "textDocument/codeAction";
  // A file the server does not hold, or not a source: an empty answer.
  if (!d || d->kind == source_kind::none) return symbols ? json::array() : json(nullptr);
  const source_view view(*d);
  const kilometre_marks& marks = marks_[pair_of(d->path, documents_).line_path];
  if (method == "textDocument/documentSymbol") return document_symbols(view, marks);
  if (method == "textDocument/codeAction")
    return code_actions(view, params.at("context").at("diagnostics"));
  const int line = position_value(params.at("position").at("line"));
  const int column = position_value(params.at("position").at("character"));
  if (method == "textDocument/hover") return hover_at(view, line, column, marks);
  return completion_at(view, line, column);
}

void lsp_server::notification(const std::string& method, const json& params) {
  if (method == "exit") {
    exited_ = true;
    return;
  }
  if (!initialized_ || shut_down_) return;
  try {
    if (method == "textDocument/didOpen") {
      const json& item = params.at("textDocument");
      const open_document& d =
          documents_.put(item.at("uri").get<std::string>(), item.at("text").get<std::string>());
      if (d.kind != source_kind::none) check_pair(d.path);
    } else if (method == "textDocument/didChange") {
      const std::string uri = params.at("textDocument").at("uri").get<std::string>();
      const json& changes = params.at("contentChanges");
      // Full synchronisation: the last change holds the whole buffer.
      if (!documents_.find(uri) || !changes.is_array() || changes.empty()) return;
      const open_document& d = documents_.put(uri, changes.back().at("text").get<std::string>());
      if (d.kind != source_kind::none) check_pair(d.path);
    } else if (method == "textDocument/didClose") {
      const std::string uri = params.at("textDocument").at("uri").get<std::string>();
      const open_document* d = documents_.find(uri);
      if (!d) return;
      const std::string path = d->path;
      const source_kind kind = d->kind;
      documents_.close(uri);
      clear(uri);
      // The other half, when open, is now checked against the file on disk.
      if (kind != source_kind::none) {
        const source_pair pair = pair_of(path, documents_);
        const std::string& other = kind == source_kind::line ? pair.train_path : pair.line_path;
        if (documents_.find_path(other)) check_pair(other);
      }
    } else if (method == "textDocument/didSave") {
      const std::string uri = params.at("textDocument").at("uri").get<std::string>();
      if (const open_document* d = documents_.find(uri); d && d->kind != source_kind::none)
        check_pair(d->path);
    }
  } catch (const std::exception&) {
    // A notification gets no answer: one that does not fit its method, or that the server
    // could not carry out (out of memory), is passed over.
  }
}

void lsp_server::check_pair(const std::string& path) {
  const source_pair pair = pair_of(path, documents_);
  const half line = read_half(pair.line_path, pair.line_missing, documents_);
  const half train = read_half(pair.train_path, pair.train_missing, documents_);
  check_request r;
  r.line_path = pair.line_path;
  r.train_path = pair.train_path;
  r.route = pair.route;
  r.train = pair.train;
  r.line_bytes = line.bytes;
  r.train_bytes = train.bytes;
  r.encoding_faults = line.encoding_faults;
  r.encoding_faults.insert(r.encoding_faults.end(), train.encoding_faults.begin(),
                           train.encoding_faults.end());
  check_outcome outcome = check_(r);
  marks_[pair.line_path] = outcome.marks;

  // Each file's text, to place the ranges: the buffer's lines, else the file's bytes.
  const text_lines line_text(line.open ? std::string_view(line.open->text) : std::string_view(line.bytes),
                             line.open != nullptr);
  const text_lines train_text(train.open ? std::string_view(train.open->text) : std::string_view(train.bytes),
                              train.open != nullptr);
  const text_of_file text = [&](const std::string& file) -> const text_lines* {
    if (file == pair.line_path) return &line_text;
    if (file == pair.train_path) return &train_text;
    return nullptr;
  };
  std::map<std::string, json> by_uri;
  const std::string here = uri_of_path(path);
  for (const std::string& file : {pair.line_path, pair.train_path})
    if (documents_.find_path(file) || (file == pair.line_path ? line.found : train.found))
      by_uri[uri_of_path(file)] = json::array();
  by_uri[here] = json::array();  // the file checked always gets its list
  if (pair.line_missing || pair.train_missing) {
    // The other half found nowhere: said once, at the top of the file checked.
    const std::string other = pair.line_missing ? pair.line_path : pair.train_path;
    diagnostic d = warning_at({path, 0, 0, {}}, "",
                              "no " + std::string(pair.line_missing ? "line" : "train") +
                                  " file found beside it, open or on disk (" + other +
                                  "); it is checked with an empty one");
    by_uri[here].push_back(lsp_diagnostic(d, text));
  }
  for (const diagnostic& d : outcome.diagnostics) {
    // What names no file of the pair (the message that cut the compile) stands at the top of
    // the file checked.
    const bool ours = d.where.file == pair.line_path || d.where.file == pair.train_path;
    const std::string uri = ours ? uri_of_path(d.where.file) : here;
    if (!by_uri.contains(uri)) continue;  // the empty stand-in of a missing half
    by_uri[uri].push_back(lsp_diagnostic(d, text));
  }
  // Every file of the pair gets its list, an empty one too: that clears what was there.
  for (auto& [uri, list] : by_uri) {
    published_.insert(uri);
    send_({{"jsonrpc", "2.0"},
           {"method", "textDocument/publishDiagnostics"},
           {"params", {{"uri", uri}, {"diagnostics", std::move(list)}}}});
  }
}

void lsp_server::clear(const std::string& uri) {
  if (!published_.erase(uri)) return;
  send_({{"jsonrpc", "2.0"},
         {"method", "textDocument/publishDiagnostics"},
         {"params", {{"uri", uri}, {"diagnostics", json::array()}}}});
}

int serve_lsp(std::istream& in, std::ostream& out, checker check) {
  lsp_server server(std::move(check), [&](const json& message) {
    // A string that is no UTF-8 (a disk file's bytes quoted) is sent with U+FFFD in its place.
    write_frame(out, message.dump(-1, ' ', false, json::error_handler_t::replace));
  });
  while (!server.exited()) {
    frame f = read_frame(in);
    if (f.what == frame::kind::end) break;
    if (f.what == frame::kind::bad_header)
      server.bad_frame(f.problem);
    else
      server.handle(f.body);
  }
  return server.exit_code();
}
