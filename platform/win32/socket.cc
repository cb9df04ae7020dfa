#include "platform/socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <climits>

#include "platform/win32/wide.h"

namespace {

// Winsock is started once, by the first socket the program asks for, and left up for the rest
// of the process.
bool winsock_started(socket_failure& failure) {
  static const int code = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data);
  }();
  if (code != 0) failure = {system_message(static_cast<unsigned long>(code)), false};
  return code == 0;
}

// Windows' words for the socket errors a listener meets, for a system whose message table
// lacks them (Wine's has none for most of Winsock's codes).
const char* listening_words(int code) {
  switch (code) {
    case WSAEADDRINUSE:
      return "Only one usage of each socket address (protocol/network address/port) is normally "
             "permitted";
    case WSAEADDRNOTAVAIL: return "The requested address is not valid in its context";
    case WSAEAFNOSUPPORT: return "An address incompatible with the requested protocol was used";
    case WSAENOBUFS:
      return "An operation on a socket could not be performed because the system lacked "
             "sufficient buffer space or because a queue was full";
    default: return nullptr;
  }
}

// msvcrt's strerror has no words for the socket errors: the system's own are taken.
socket_failure last_failure() {
  const int code = WSAGetLastError();
  std::string words = system_message(static_cast<unsigned long>(code));
  if (const char* known = listening_words(code); known && words == "error " + std::to_string(code))
    words = known;
  return {words, code == WSAEADDRINUSE};
}

SOCKET handle(native_socket s) { return static_cast<SOCKET>(s); }

native_socket closed_with(SOCKET s, socket_failure& failure) {
  failure = last_failure();
  closesocket(s);
  return no_socket;
}

void set_blocking(SOCKET s, bool blocking) {
  u_long non_blocking = blocking ? 0 : 1;
  ioctlsocket(s, FIONBIO, &non_blocking);
}

// Handles are never left to a program this one starts.
SOCKET new_socket(bool ipv6) {
  return WSASocketW(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0,
                    WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
}

int loopback_address(bool ipv6, int port, sockaddr_storage& address) {
  address = {};
  if (ipv6) {
    auto& a = reinterpret_cast<sockaddr_in6&>(address);
    a.sin6_family = AF_INET6;
    a.sin6_port = htons(static_cast<u_short>(port));
    a.sin6_addr = in6addr_loopback;
    return sizeof a;
  }
  auto& a = reinterpret_cast<sockaddr_in&>(address);
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<u_short>(port));
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

bool would_block(int code) { return code == WSAEWOULDBLOCK || code == WSAEINTR; }

ULONG at_most_ulong(size_t n) { return static_cast<ULONG>(std::min<size_t>(n, ULONG_MAX)); }

}  // namespace

native_socket listen_on_loopback(bool ipv6, int port, socket_failure& failure) {
  if (!winsock_started(failure)) return no_socket;
  const SOCKET s = new_socket(ipv6);
  if (s == INVALID_SOCKET) return closed_with(s, failure);
  // SO_REUSEADDR here would let this socket take a port another one listens on; the exclusive
  // use keeps any other from taking this one's. A closing connection never holds a listening
  // port on Windows.
  const BOOL yes = TRUE;
  setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&yes), sizeof yes);
  if (ipv6)
    setsockopt(s, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&yes), sizeof yes);
  set_blocking(s, false);
  sockaddr_storage address;
  const int size = loopback_address(ipv6, port, address);
  if (bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(s, SOMAXCONN) != 0)
    return closed_with(s, failure);
  return static_cast<native_socket>(s);
}

int bound_port(native_socket s) {
  sockaddr_storage address{};
  int size = sizeof address;
  if (getsockname(handle(s), reinterpret_cast<sockaddr*>(&address), &size) != 0) return -1;
  return address.ss_family == AF_INET6
             ? ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port)
             : ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
}

native_socket accept_connection(native_socket listener, std::string& address, bool& exhausted) {
  sockaddr_storage from{};
  int size = sizeof from;
  const SOCKET s = accept(handle(listener), reinterpret_cast<sockaddr*>(&from), &size);
  if (s == INVALID_SOCKET) {
    const int code = WSAGetLastError();
    exhausted = code == WSAEMFILE || code == WSAENOBUFS;
    return no_socket;
  }
  exhausted = false;
  set_blocking(s, false);
  const BOOL yes = TRUE;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&yes), sizeof yes);
  address = address_text(from);
  return static_cast<native_socket>(s);
}

native_socket connect_to_loopback(bool ipv6, int port, socket_failure& failure) {
  if (!winsock_started(failure)) return no_socket;
  const SOCKET s = new_socket(ipv6);
  if (s == INVALID_SOCKET) return closed_with(s, failure);
  sockaddr_storage address;
  const int size = loopback_address(ipv6, port, address);
  if (connect(s, reinterpret_cast<sockaddr*>(&address), size) != 0) return closed_with(s, failure);
  return static_cast<native_socket>(s);
}

std::ptrdiff_t receive_some(native_socket s, char* into, size_t size) {
  const int n = recv(handle(s), into, static_cast<int>(std::min<size_t>(size, INT_MAX)), 0);
  if (n >= 0) return n;
  return would_block(WSAGetLastError()) ? socket_would_block : socket_broken;
}

std::ptrdiff_t send_some(native_socket s, std::string_view first, std::string_view second) {
  WSABUF parts[2];
  DWORD count = 0;
  for (std::string_view part : {first, second})
    if (!part.empty()) parts[count++] = {at_most_ulong(part.size()), const_cast<char*>(part.data())};
  if (count == 0) return 0;
  DWORD sent = 0;
  if (WSASend(handle(s), parts, count, &sent, 0, nullptr, nullptr) != 0)
    return would_block(WSAGetLastError()) ? socket_would_block : socket_broken;
  return sent > 0 ? static_cast<std::ptrdiff_t>(sent) : socket_broken;
}

void shut_down(native_socket s, bool receiving_too) {
  shutdown(handle(s), receiving_too ? SD_BOTH : SD_SEND);
}

void close_socket(native_socket s) {
  if (s != no_socket) closesocket(handle(s));
}

bool wait_for_sockets(std::vector<socket_wait>& waits, int milliseconds) {
  std::vector<WSAPOLLFD> polled;
  polled.reserve(waits.size());
  for (const socket_wait& w : waits)
    polled.push_back({handle(w.socket), static_cast<SHORT>(w.to_send ? POLLWRNORM : POLLRDNORM), 0});
  const int n = WSAPoll(polled.data(), static_cast<ULONG>(polled.size()), milliseconds);
  for (size_t i = 0; i < waits.size(); ++i) waits[i].ready = n > 0 && polled[i].revents != 0;
  return n != SOCKET_ERROR || WSAGetLastError() == WSAEINTR;
}

socket_waker::~socket_waker() { close(); }

// WSAPoll waits on sockets only: the waker is a connection to itself, made through a listener
// on a free loopback port that is closed at once. The connection accepted must be the one made
// here, not another program's that came first.
bool socket_waker::open(socket_failure& failure) {
  close();
  const native_socket listener = listen_on_loopback(false, 0, failure);
  if (listener == no_socket) return false;
  set_blocking(handle(listener), true);
  writing_ = connect_to_loopback(false, bound_port(listener), failure);
  if (writing_ != no_socket) {
    sockaddr_in mine{}, theirs{};
    int size = sizeof mine;
    getsockname(handle(writing_), reinterpret_cast<sockaddr*>(&mine), &size);
    while (reading_ == no_socket) {
      size = sizeof theirs;
      const SOCKET s = accept(handle(listener), reinterpret_cast<sockaddr*>(&theirs), &size);
      if (s == INVALID_SOCKET) {
        failure = last_failure();
        break;
      }
      if (theirs.sin_port == mine.sin_port && theirs.sin_addr.s_addr == mine.sin_addr.s_addr)
        reading_ = static_cast<native_socket>(s);
      else
        closesocket(s);
    }
  }
  close_socket(listener);
  if (reading_ == no_socket) {
    close();
    return false;
  }
  set_blocking(handle(reading_), false);
  set_blocking(handle(writing_), false);
  const BOOL yes = TRUE;
  setsockopt(handle(writing_), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&yes),
             sizeof yes);
  return true;
}

void socket_waker::close() {
  for (native_socket* end : {&reading_, &writing_}) {
    close_socket(*end);
    *end = no_socket;
  }
}

void socket_waker::wake() const {
  const char wake_up = 1;
  // A full buffer already holds a wake-up: nothing is lost.
  send(handle(writing_), &wake_up, 1, 0);
}

void socket_waker::drain() const {
  char bytes[64];
  while (recv(handle(reading_), bytes, sizeof bytes, 0) > 0) {
  }
}
