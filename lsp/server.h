// The language server: JSON-RPC messages in, answers and published diagnostics out. It holds
// the open buffers, checks a source file with its other half on every open and change, and
// answers hover, completion, outline and quick-fix requests from the buffers. It writes no file.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "lsp/checker.h"
#include "lsp/documents.h"

class lsp_server {
 public:
  using sender = std::function<void(const nlohmann::json&)>;
  lsp_server(checker check, sender send) : check_(std::move(check)), send_(std::move(send)) {}

  // Handles one message's body. A body that is no JSON, or no request, gets an error answer
  // (id null where it has none); nothing a client sends ends the server but "exit".
  void handle(std::string_view body);
  // A header block the framing could not read.
  void bad_frame(const std::string& problem);

  bool exited() const { return exited_; }
  // 0 after shutdown then exit, 1 for an exit without shutdown (or the input's end).
  int exit_code() const { return shut_down_ ? 0 : 1; }

 private:
  void request(const nlohmann::json& id, const std::string& method, const nlohmann::json& params);
  void notification(const std::string& method, const nlohmann::json& params);
  nlohmann::json answer(const std::string& method, const nlohmann::json& params);

  void reply(const nlohmann::json& id, nlohmann::json result);
  void reply_error(const nlohmann::json& id, int code, const std::string& message);

  // Checks the pair of the file at `path` and publishes the diagnostics of both halves.
  void check_pair(const std::string& path);
  // Drops the diagnostics published for `uri`.
  void clear(const std::string& uri);

  checker check_;
  sender send_;
  document_store documents_;
  bool initialized_ = false;
  bool shut_down_ = false;
  bool exited_ = false;
  std::map<std::string, kilometre_marks> marks_;  // by line file path, from the last check
  std::set<std::string> published_;             // URIs that were sent diagnostics
};

// Serves `in` to `out` until exit or the end of the input; returns the exit status.
int serve_lsp(std::istream& in, std::ostream& out, checker check);
