// Test helper: a client of the preview's HTTP server on the loopback address, sending requests
// as they are written, so that a test can send what no browser would.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

// A connection to 127.0.0.1 (or ::1) at `port`, whose reads give up after 10 s; -1 when it
// cannot be made.
inline int connect_loopback(int port, bool ipv6 = false) {
  const int fd = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  timeval timeout{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  int connected = -1;
  if (ipv6) {
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_port = htons(static_cast<uint16_t>(port));
    a.sin6_addr = in6addr_loopback;
    connected = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  } else {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  }
  if (connected != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

inline bool send_all(int fd, const std::string& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const ssize_t n = send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
    if (n <= 0) return false;
    at += static_cast<size_t>(n);
  }
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
  const int fd = connect_loopback(port, ipv6);
  if (fd < 0) return {};
  send_all(fd, request);
  std::string all;
  char buffer[65536];
  for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;)
    all.append(buffer, static_cast<size_t>(n));
  close(fd);
  return answer_of(all);
}

// A connection kept open across requests, read one reply at a time.
class loopback_connection {
 public:
  explicit loopback_connection(int port, bool ipv6 = false) : fd_(connect_loopback(port, ipv6)) {}
  ~loopback_connection() {
    if (fd_ >= 0) close(fd_);
  }
  loopback_connection(const loopback_connection&) = delete;
  loopback_connection& operator=(const loopback_connection&) = delete;

  bool connected() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  bool send(const std::string& bytes) { return send_all(fd_, bytes); }

  // The next reply: its head, then as many bytes of body as its Content-Length says (none for
  // the reply to a HEAD). No status when the connection ends first.
  http_answer next_reply(bool head_only = false) {
    size_t split;
    while ((split = buffered_.find("\r\n\r\n")) == std::string::npos)
      if (!receive()) return {};
    const size_t field = buffered_.find("Content-Length: ");
    const size_t length =
        head_only || field > split ? 0 : std::strtoul(buffered_.c_str() + field + 16, nullptr, 10);
    while (buffered_.size() < split + 4 + length)
      if (!receive()) return {};
    http_answer r = answer_of(buffered_.substr(0, split + 4 + length));
    buffered_.erase(0, split + 4 + length);
    return r;
  }

  // Whether the server sends anything, or closes, within `ms`.
  bool stirs_within(int ms) {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, ms) > 0;
  }

  // Whether the server has closed the connection, waiting at most `ms` for it; what it sent
  // before closing is kept.
  bool closed_within(int ms) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return false;
    return !receive();
  }

 private:
  bool receive() {
    char buffer[65536];
    const ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
    if (n <= 0) return false;
    buffered_.append(buffer, static_cast<size_t>(n));
    return true;
  }

  int fd_;
  std::string buffered_;
};

// "METHOD PATH HTTP/1.1" with a Host header (none when `host` is empty) and `more` headers.
inline std::string request_for(const std::string& path, const std::string& host,
                               const std::string& method = "GET", const std::string& more = "") {
  std::string request = method + " " + path + " HTTP/1.1\r\n";
  if (!host.empty()) request += "Host: " + host + "\r\n";
  return request + more + "\r\n";
}
