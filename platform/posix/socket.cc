#include "platform/socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

socket_failure failure_of(int code) {
  return {std::strerror(code), code == EADDRINUSE};
}

// Descriptors are never left to a program this one starts.
int new_socket(bool ipv6, bool blocking) {
  int flags = SOCK_CLOEXEC | (blocking ? 0 : SOCK_NONBLOCK);
  const int fd = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM | flags, 0);
#ifdef SO_NOSIGPIPE
  // Where send has no MSG_NOSIGNAL, the socket itself is told.
  const int yes = 1;
  if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_NOSIGPIPE, &yes, sizeof yes);
#endif
  return fd;
}

#ifdef MSG_NOSIGNAL
constexpr int kNoSignal = MSG_NOSIGNAL;
#else
constexpr int kNoSignal = 0;
#endif

socklen_t loopback_address(bool ipv6, int port, sockaddr_storage& address) {
  address = {};
  if (ipv6) {
    auto& a = reinterpret_cast<sockaddr_in6&>(address);
    a.sin6_family = AF_INET6;
    a.sin6_port = htons(static_cast<uint16_t>(port));
    a.sin6_addr = in6addr_loopback;
    return sizeof a;
  }
  auto& a = reinterpret_cast<sockaddr_in&>(address);
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return sizeof a;
}

std::string address_text(const sockaddr_storage& a) {
  char text[INET6_ADDRSTRLEN] = "";
  if (a.ss_family == AF_INET)
    inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in&>(a).sin_addr, text, sizeof text);
  else
    inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6&>(a).sin6_addr, text, sizeof text);
  return text;
}

native_socket closed_with(int fd, socket_failure& failure) {
  failure = failure_of(errno);
  close(fd);
  return no_socket;
}

}  // namespace

native_socket listen_on_loopback(bool ipv6, int port, socket_failure& failure) {
  const int fd = new_socket(ipv6, false);
  if (fd < 0) {
    failure = failure_of(errno);
    return no_socket;
  }
  // SO_REUSEADDR only lets a restart take a port whose old connections are closing; a port
  // another server listens on is still refused (no SO_REUSEPORT).
  const int yes = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (ipv6) setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &yes, sizeof yes);
  sockaddr_storage address;
  const socklen_t size = loopback_address(ipv6, port, address);
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(fd, SOMAXCONN) != 0)
    return closed_with(fd, failure);
  return fd;
}

int bound_port(native_socket s) {
  sockaddr_storage address{};
  socklen_t size = sizeof address;
  if (getsockname(static_cast<int>(s), reinterpret_cast<sockaddr*>(&address), &size) != 0)
    return -1;
  return address.ss_family == AF_INET6
             ? ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port)
             : ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
}

native_socket accept_connection(native_socket listener, std::string& address, bool& exhausted) {
  sockaddr_storage from{};
  socklen_t size = sizeof from;
  const int fd = accept4(static_cast<int>(listener), reinterpret_cast<sockaddr*>(&from), &size,
                         SOCK_NONBLOCK | SOCK_CLOEXEC);
  exhausted = fd < 0 && (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM);
  if (fd < 0) return no_socket;
  const int yes = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  address = address_text(from);
  return fd;
}

native_socket connect_to_loopback(bool ipv6, int port, socket_failure& failure) {
  const int fd = new_socket(ipv6, true);
  if (fd < 0) {
    failure = failure_of(errno);
    return no_socket;
  }
  sockaddr_storage address;
  const socklen_t size = loopback_address(ipv6, port, address);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), size) != 0)
    return closed_with(fd, failure);
  return fd;
}

std::ptrdiff_t receive_some(native_socket s, char* into, size_t size) {
  const ssize_t n = recv(static_cast<int>(s), into, size, 0);
  if (n >= 0) return n;
  return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR ? socket_would_block
                                                                   : socket_broken;
}

std::ptrdiff_t send_some(native_socket s, std::string_view first, std::string_view second) {
  iovec parts[2];
  int count = 0;
  for (std::string_view part : {first, second})
    if (!part.empty()) parts[count++] = {const_cast<char*>(part.data()), part.size()};
  if (count == 0) return 0;
  msghdr message{};
  message.msg_iov = parts;
  message.msg_iovlen = static_cast<size_t>(count);
  const ssize_t n = sendmsg(static_cast<int>(s), &message, kNoSignal);
  if (n > 0) return n;
  return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? socket_would_block
                                                                               : socket_broken;
}

void shut_down(native_socket s, bool receiving_too) {
  shutdown(static_cast<int>(s), receiving_too ? SHUT_RDWR : SHUT_WR);
}

void close_socket(native_socket s) {
  if (s != no_socket) close(static_cast<int>(s));
}

bool wait_for_sockets(std::vector<socket_wait>& waits, int milliseconds) {
  std::vector<pollfd> polled;
  polled.reserve(waits.size());
  for (const socket_wait& w : waits)
    polled.push_back({static_cast<int>(w.socket), static_cast<short>(w.to_send ? POLLOUT : POLLIN), 0});
  const int n = poll(polled.data(), polled.size(), milliseconds);
  for (size_t i = 0; i < waits.size(); ++i) waits[i].ready = n > 0 && polled[i].revents != 0;
  return n >= 0 || errno == EINTR;
}

socket_waker::~socket_waker() { close(); }

bool socket_waker::open(socket_failure& failure) {
  close();
  int ends[2];
  if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) {
    failure = failure_of(errno);
    return false;
  }
  reading_ = ends[0];
  writing_ = ends[1];
  return true;
}

void socket_waker::close() {
  for (native_socket* end : {&reading_, &writing_}) {
    if (*end != no_socket) ::close(static_cast<int>(*end));
    *end = no_socket;
  }
}

void socket_waker::wake() const {
  const char byte = 1;
  // A full pipe already holds a wake-up: nothing is lost.
  [[maybe_unused]] ssize_t n = write(static_cast<int>(writing_), &byte, 1);
}

void socket_waker::drain() const {
  char bytes[64];
  while (read(static_cast<int>(reading_), bytes, sizeof bytes) > 0) {
  }
}
