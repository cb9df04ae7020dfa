// TCP on the loopback addresses, as the preview's server and its tests' client use it: listening
// and accepting without blocking, reading and writing, a wait on several sockets at once and a
// way to wake that wait. Failures carry the system's words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A socket (a descriptor or a SOCKET handle).
using native_socket = std::intptr_t;
constexpr native_socket no_socket = -1;

struct socket_failure {
  std::string words;            // the system's
  bool address_in_use = false;  // another socket holds the address and port
};

// A socket listening on 127.0.0.1, or ::1 when `ipv6`, at `port` (0: a free one), that never
// blocks. A port another socket listens on is refused, whatever the system's defaults.
native_socket listen_on_loopback(bool ipv6, int port, socket_failure& failure);
// The port a socket is bound to; -1 when it cannot be told.
int bound_port(native_socket s);

// The next connection waiting on `listener`: non-blocking, sent without delay, with the
// client's address as text. no_socket when none is taken; `exhausted` tells that the system
// had no descriptor or memory left for it, and then the waiting ones are better left a while.
native_socket accept_connection(native_socket listener, std::string& address, bool& exhausted);

// A blocking connection to 127.0.0.1, or ::1 when `ipv6`, at `port`.
native_socket connect_to_loopback(bool ipv6, int port, socket_failure& failure);

// What a read or a write did when it moved no byte (a read's 0 is the peer's close).
constexpr std::ptrdiff_t socket_would_block = -1;
constexpr std::ptrdiff_t socket_broken = -2;
std::ptrdiff_t receive_some(native_socket s, char* into, size_t size);
// Sends what it can of `first` and then `second`, in one call; a peer that has gone is
// socket_broken, never a signal.
std::ptrdiff_t send_some(native_socket s, std::string_view first, std::string_view second = {});
// No more is sent (the peer reads the end), or, with `receiving_too`, received either.
void shut_down(native_socket s, bool receiving_too = false);
void close_socket(native_socket s);

// One socket of a wait: whether to wait for it to take more bytes, else for bytes, a waiting
// connection or the end; `ready` is set when the wait ends.
struct socket_wait {
  native_socket socket = no_socket;
  bool to_send = false;
  bool ready = false;
};
// Waits until one of `waits` is ready or `milliseconds` passed (-1: no limit). False when the
// wait itself failed; an interruption ends it with none ready.
bool wait_for_sockets(std::vector<socket_wait>& waits, int milliseconds);

// Wakes a wait_for_sockets on its `waitable()` from another thread or an interruption's
// handler: a pipe on POSIX, a pair of connected loopback sockets on Windows.
class socket_waker {
 public:
  socket_waker() = default;
  ~socket_waker();
  socket_waker(const socket_waker&) = delete;
  socket_waker& operator=(const socket_waker&) = delete;

  bool open(socket_failure& failure);
  void close();
  native_socket waitable() const { return reading_; }
  // Safe in a signal handler; a wake-up already pending is enough.
  void wake() const;
  // Takes the pending wake-ups, once the wait has ended on them.
  void drain() const;

 private:
  native_socket reading_ = no_socket, writing_ = no_socket;
};
