#include "preview/http_message.h"

#include <algorithm>
#include <cctype>

namespace {

bool same_letters(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

bool token_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) ||
         std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

bool is_token(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), token_char);
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// "GET /state?since=3 HTTP/1.1"
bool read_request_line(std::string_view line, http_request& r) {
  const size_t first = line.find(' ');
  const size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
  if (second == std::string_view::npos) return false;
  const std::string_view method = line.substr(0, first);
  const std::string_view target = line.substr(first + 1, second - first - 1);
  const std::string_view version = line.substr(second + 1);
  if (!is_token(method) || target.empty() || target.front() != '/') return false;
  if (std::any_of(target.begin(), target.end(),
                  [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7f; }))
    return false;
  if (version != "HTTP/1.1" && version != "HTTP/1.0") return false;
  r.method = method;
  const size_t question = target.find('?');
  r.path = target.substr(0, question);
  if (question != std::string_view::npos) r.query = target.substr(question + 1);
  r.http10 = version == "HTTP/1.0";
  return true;
}

// "Name: value"; a line folded onto the one before is refused, as HTTP/1.1 asks.
bool read_header_line(std::string_view line, http_request& r) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos || !is_token(line.substr(0, colon))) return false;
  const std::string_view value = trimmed(line.substr(colon + 1));
  if (std::any_of(value.begin(), value.end(),
                  [](char c) { return (c >= 0 && c < ' ' && c != '\t') || c == 0x7f; }))
    return false;
  r.headers.emplace_back(line.substr(0, colon), value);
  return true;
}

const char* reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 431: return "Request Header Fields Too Large";
    default: return "Error";
  }
}

}  // namespace

std::vector<std::string_view> http_request::values(std::string_view name) const {
  std::vector<std::string_view> found;
  for (const auto& [n, v] : headers)
    if (same_letters(n, name)) found.push_back(v);
  return found;
}

bool http_request::keep_alive() const {
  bool close = false, keep = false;
  for (std::string_view value : values("Connection")) {
    for (size_t start = 0; start <= value.size();) {
      size_t comma = std::min(value.find(',', start), value.size());
      std::string_view option = trimmed(value.substr(start, comma - start));
      close = close || same_letters(option, "close");
      keep = keep || same_letters(option, "keep-alive");
      start = comma + 1;
    }
  }
  return !close && (!http10 || keep);
}

bool http_request::has_body() const {
  if (!values("Transfer-Encoding").empty()) return true;
  for (std::string_view length : values("Content-Length"))
    if (length.find_first_not_of('0') != std::string_view::npos) return true;
  return false;
}

head_reading read_request_head(std::string_view received) {
  head_reading h;
  bool request_line = false;
  size_t header_lines = 0;
  for (size_t at = 0;;) {
    const size_t end = received.find('\n', at);
    if (end == std::string_view::npos || end + 1 > max_head_bytes) {
      const bool over = (end == std::string_view::npos ? received.size() : end + 1) > max_head_bytes;
      h.what = over ? head_reading::outcome::too_large : head_reading::outcome::partial;
      return h;
    }
    std::string_view line = received.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (!request_line) {
      // Blank lines before a request are a client's leftovers from an earlier one: skipped.
      if (line.empty()) continue;
      if (!read_request_line(line, h.request)) break;
      request_line = true;
    } else if (line.empty()) {
      h.what = head_reading::outcome::complete;
      h.length = at;
      return h;
    } else if (++header_lines > max_header_lines) {
      h.what = head_reading::outcome::too_large;
      return h;
    } else if (!read_header_line(line, h.request)) {
      break;
    }
  }
  h.what = head_reading::outcome::bad;
  return h;
}

std::string_view query_value(std::string_view query, std::string_view name) {
  for (size_t start = 0; start <= query.size();) {
    size_t amp = std::min(query.find('&', start), query.size());
    std::string_view pair = query.substr(start, amp - start);
    if (pair.size() > name.size() && pair.starts_with(name) && pair[name.size()] == '=')
      return pair.substr(name.size() + 1);
    start = amp + 1;
  }
  return {};
}

http_reply text_reply(int status, std::string text) {
  http_reply r;
  r.status = status;
  r.type = "text/plain";
  r.body = std::make_shared<const std::string>(std::move(text));
  return r;
}

std::string reply_head(const http_reply& reply, bool keep_alive) {
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + reason(reply.status) + "\r\n";
  if (!reply.type.empty()) head += "Content-Type: " + reply.type + "\r\n";
  for (const auto& [name, value] : reply.headers) head += name + ": " + value + "\r\n";
  head += "Content-Length: " + std::to_string(reply.body ? reply.body->size() : 0) + "\r\n";
  head += keep_alive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
  return head;
}
