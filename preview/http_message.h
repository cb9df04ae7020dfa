// The little of HTTP/1.1 the preview speaks: a request's head read from what a client sent so
// far, held to limits, and a reply's head.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The most a request's head may take, its blank line included: a browser's GET with its usual
// headers takes under 2 KB. What the server holds of a client is bounded by this.
constexpr size_t max_head_bytes = 16 * 1024;
// The most header lines a request may carry: a browser sends about fifteen.
constexpr size_t max_header_lines = 100;

struct http_request {
  std::string method;
  std::string path;   // the target up to '?', as sent: never decoded, never a file's name
  std::string query;  // after '?'
  bool http10 = false;
  std::vector<std::pair<std::string, std::string>> headers;  // name and value, as sent

  // The values of the header `name`, in any case.
  std::vector<std::string_view> values(std::string_view name) const;
  // Whether the client keeps the connection for a next request.
  bool keep_alive() const;
  // A body follows the head: the server reads none, so the connection ends after the reply.
  bool has_body() const;
};

struct head_reading {
  enum class outcome { partial, complete, bad, too_large };
  outcome what = outcome::partial;
  size_t length = 0;  // the bytes the head took, once complete
  http_request request;
};

// Reads the head at the start of `received`: partial until its blank line has come; too_large
// once it passes max_head_bytes or max_header_lines, however much is still to come; bad when a
// line is not HTTP/1.0 or 1.1.
head_reading read_request_head(std::string_view received);

// The value of `name` in a query string ("since=4&x=1"), undecoded; empty when absent.
std::string_view query_value(std::string_view query, std::string_view name);

struct http_reply {
  int status = 200;
  std::string type;  // Content-Type; none when empty
  std::vector<std::pair<std::string, std::string>> headers;
  std::shared_ptr<const std::string> body;  // shared: a picture goes to every tab uncopied
};

// A plain-text reply.
http_reply text_reply(int status, std::string text);

// The status line and headers of `reply`, with its Content-Length and the blank line.
std::string reply_head(const http_reply& reply, bool keep_alive);
