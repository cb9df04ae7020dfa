// The language server fed random and cut messages, with the real check: no crash, no hang (the
// run's timeout), and every request read before "exit" answered under its id.
//
// The input's first byte chooses: even, the rest is split at NUL bytes into message bodies,
// each framed with its true Content-Length; odd, the rest is the byte stream itself, headers
// and all, cut wherever it ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/lsp_command.h"
#include "lsp/framing.h"
#include "lsp/server.h"

namespace {

using json = nlohmann::json;

// The ids of the requests among `bodies` up to the first "exit" notification: those the
// server must answer.
std::vector<json> requests_before_exit(const std::vector<std::string_view>& bodies) {
  std::vector<json> ids;
  for (std::string_view body : bodies) {
    const json m = json::parse(body, nullptr, false);
    if (!m.is_object() || !m.contains("method")) continue;
    if (!m.contains("id")) {
      if (m["method"] == "exit") break;
      continue;
    }
    if (m["id"].is_number_integer() || m["id"].is_string()) ids.push_back(m["id"]);
  }
  return ids;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const bool framed = (data[0] & 1) == 0;
  std::string stream;
  std::vector<std::string_view> bodies;
  if (framed) {
    for (size_t from = 0; from <= rest.size();) {
      size_t end = rest.find('\0', from);
      if (end == std::string_view::npos) end = rest.size();
      bodies.push_back(rest.substr(from, end - from));
      from = end + 1;
    }
    for (std::string_view body : bodies)
      stream += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
  } else {
    stream = rest;
  }
  std::istringstream in(stream);
  std::stringstream out;
  serve_lsp(in, out, check_in_memory);
  if (!framed) return 0;

  std::vector<json> answered;
  for (frame f = read_frame(out); f.what == frame::kind::message; f = read_frame(out)) {
    const json m = json::parse(f.body, nullptr, false);
    if (m.is_discarded()) {
      std::fprintf(stderr, "the server sent a message that is no JSON: %s\n", f.body.c_str());
      std::abort();
    }
    if (m.contains("id")) answered.push_back(m["id"]);
  }
  for (const json& id : requests_before_exit(bodies)) {
    bool found = false;
    for (const json& a : answered) found = found || a == id;
    if (!found) {
      std::fprintf(stderr, "request %s was not answered\n", id.dump().c_str());
      std::abort();
    }
  }
  return 0;
}
