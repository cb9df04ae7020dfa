// Test helper: a client of the preview's HTTP server on the loopback address, sending requests
// as they are written, so that a test can send what no browser would.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/socket.h"

// How long a read waits for the server before the client gives up on it.
constexpr int kLoopbackReadLimitMs = 10000;

// A connection to 127.0.0.1 (or ::1) at `port`; no_socket when it cannot be made.
inline native_socket connect_loopback(int port, bool ipv6 = false) {
  socket_failure failure;
  return connect_to_loopback(ipv6, port, failure);
}

inline bool send_all(native_socket s, const std::string& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const std::ptrdiff_t n = send_some(s, std::string_view(bytes).substr(at));
    if (n <= 0) return false;
    at += static_cast<size_t>(n);
  }
  return true;
}

// Whether `s` has bytes, or its end, within `ms`.
inline bool readable_within(native_socket s, int ms) {
  std::vector<socket_wait> wait{{s}};
  return wait_for_sockets(wait, ms) && wait[0].ready;
}

// Appends what the server sends next to `into`; false once the connection has ended, or when
// nothing came within the read limit.
inline bool receive_into(native_socket s, std::string& into) {
  if (!readable_within(s, kLoopbackReadLimitMs)) return false;
  char buffer[65536];
  const std::ptrdiff_t n = receive_some(s, buffer, sizeof buffer);
  if (n <= 0) return false;
  into.append(buffer, static_cast<size_t>(n));
  return true;
}

struct http_answer {
  int status = 0;  // 0: no reply
  std::string head, body;
};

inline http_answer answer_of(const std::string& all) {
  http_answer r;
  const size_t split = all.find("\r\n\r\n");
  r.head = all.substr(0, split);
  r.body = split == std::string::npos ? "" : all.substr(split + 4);
  if (all.rfind("HTTP/1.1 ", 0) == 0 && all.size() >= 12) r.status = std::atoi(all.substr(9, 3).c_str());
  return r;
}

// Sends `request` and reads the reply until the server closes the connection.
inline http_answer ask(int port, const std::string& request, bool ipv6 = false) {
  const native_socket s = connect_loopback(port, ipv6);
  if (s == no_socket) return {};
  send_all(s, request);
  std::string all;
  while (receive_into(s, all)) {
  }
  close_socket(s);
  return answer_of(all);
}

// A connection kept open across requests, read one reply at a time.
class loopback_connection {
 public:
  explicit loopback_connection(int port, bool ipv6 = false) : socket_(connect_loopback(port, ipv6)) {}
  ~loopback_connection() { close_socket(socket_); }
  loopback_connection(const loopback_connection&) = delete;
  loopback_connection& operator=(const loopback_connection&) = delete;

  bool connected() const { return socket_ != no_socket; }
  native_socket socket() const { return socket_; }
  bool send(const std::string& bytes) { return send_all(socket_, bytes); }

  // The next reply: its head, then as many bytes of body as its Content-Length says (none for
  // the reply to a HEAD). No status when the connection ends first.
  http_answer next_reply(bool head_only = false) {
    size_t split;
    while ((split = buffered_.find("\r\n\r\n")) == std::string::npos)
      if (!receive_into(socket_, buffered_)) return {};
    const size_t field = buffered_.find("Content-Length: ");
    const size_t length =
        head_only || field > split ? 0 : std::strtoul(buffered_.c_str() + field + 16, nullptr, 10);
    while (buffered_.size() < split + 4 + length)
      if (!receive_into(socket_, buffered_)) return {};
    http_answer r = answer_of(buffered_.substr(0, split + 4 + length));
    buffered_.erase(0, split + 4 + length);
    return r;
  }

  // Whether the server sends anything, or closes, within `ms`.
  bool stirs_within(int ms) { return readable_within(socket_, ms); }

  // Whether the server has closed the connection, waiting at most `ms` for it; what it sent
  // before closing is kept.
  bool closed_within(int ms) {
    if (!readable_within(socket_, ms)) return false;
    return !receive_into(socket_, buffered_);
  }

 private:
  native_socket socket_;
  std::string buffered_;
};

// "METHOD PATH HTTP/1.1" with a Host header (none when `host` is empty) and `more` headers.
inline std::string request_for(const std::string& path, const std::string& host,
                               const std::string& method = "GET", const std::string& more = "") {
  std::string request = method + " " + path + " HTTP/1.1\r\n";
  if (!host.empty()) request += "Host: " + host + "\r\n";
  return request + more + "\r\n";
}
