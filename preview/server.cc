#include "preview/server.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/socket.h"
#include "preview/http_message.h"
#include "preview/routes.h"

namespace {

using clock_type = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long each phase of a connection may last. A page's wait for the next state ends with the
// state as it is after kLongestWait; the page then asks again.
constexpr milliseconds kLongestWait{5000};
// A connection kept alive with no request, or a new one that has sent nothing yet.
constexpr milliseconds kIdleLimit{5000};
// A request's whole head, from its first byte, however it trickles in: a browser sends it in
// one piece.
constexpr milliseconds kHeadLimit{3000};
// A reply, from its first byte to its last: the largest picture takes milliseconds on loopback.
constexpr milliseconds kReplyLimit{10000};
// After a refusal, what the client still sends is read and dropped for this long, so that it
// reads the refusal rather than a reset.
constexpr milliseconds kDrainLimit{1000};
// The connections held at once from one client address, and in all. Every client is on this
// machine: a browser holds six at most per host name, and each of its tabs one waiting request.
// Beyond them the oldest connection doing nothing gives way, else the newcomer is refused.
constexpr size_t kMostPerAddress = 128;
constexpr size_t kMostInAll = 256;
// The longest wait with nothing due: a bound, not a tick.
constexpr milliseconds kLongestSleep{1000};
// With no descriptor left for a new connection, the waiting ones are left in the queue this
// long rather than polled for in a busy loop.
constexpr milliseconds kAcceptPause{100};

enum class phase {
  idle,     // waiting for a request
  reading,  // a request's head is coming
  waiting,  // a request for the state waits for the next publication
  sending,  // a reply is going out
  draining  // the reply is out and the connection ends: input is dropped until the client closes
};

struct connection {
  native_socket socket = no_socket;
  std::string address;  // the client's, for the limit per address
  phase now = phase::idle;
  clock_type::time_point since;  // when the phase began
  std::string received;          // at most a head's worth: nothing more is read before a reply
  long wait_since = 0;           // the version a waiting page has
  std::string head;              // the reply going out: its head, then its body
  std::shared_ptr<const std::string> body;
  size_t sent = 0;
  bool keep = false;  // the connection stays open once the reply is out
  bool gone = false;  // closed; dropped from the list at the end of the turn

  clock_type::time_point deadline() const {
    switch (now) {
      case phase::idle: return since + kIdleLimit;
      case phase::reading: return since + kHeadLimit;
      case phase::waiting: return since + kLongestWait;
      case phase::sending: return since + kReplyLimit;
      case phase::draining: return since + kDrainLimit;
    }
    return since;
  }
};

}  // namespace

struct preview_server::impl {
  explicit impl(snapshot_store& s) : store(s), routes(s) {}

  snapshot_store& store;
  preview_routes routes;
  int port = 0;
  std::vector<native_socket> listeners;  // 127.0.0.1 first, then ::1 when it binds
  socket_waker waker;                    // wakes the loop: news, or stop
  std::atomic<bool> stopping{false};
  std::thread thread;
  std::vector<connection> connections;
  clock_type::time_point accept_after;  // no accept before: descriptors ran out

  void run() {
    while (!stopping.load()) {
      std::vector<socket_wait> polled;
      polled.push_back({waker.waitable()});
      clock_type::time_point due = clock_type::now() + kLongestSleep;
      if (clock_type::now() >= accept_after)
        for (native_socket l : listeners) polled.push_back({l});
      else
        due = std::min(due, accept_after);
      const size_t first = polled.size(), count = connections.size();
      for (const connection& c : connections) {
        polled.push_back({c.socket, c.now == phase::sending});
        due = std::min(due, c.deadline());
      }
      const auto sleep = std::chrono::ceil<milliseconds>(due - clock_type::now());
      if (!wait_for_sockets(polled, static_cast<int>(std::max<milliseconds::rep>(0, sleep.count())))) break;
      if (polled[0].ready) waker.drain();
      for (size_t i = 1; i < first; ++i)
        if (polled[i].ready) accept_all(polled[i].socket);
      for (size_t i = 0; i < count; ++i) {
        connection& c = connections[i];
        // A connection ended this turn may have left its socket's number to a new one.
        if (!polled[first + i].ready || c.gone) continue;
        if (c.now == phase::sending)
          advance(c);
        else
          receive(c);
      }
      const auto now = clock_type::now();
      for (connection& c : connections) {
        if (c.gone) continue;
        if (c.now == phase::waiting && (routes.news_for(c.wait_since) || now >= c.deadline())) {
          reply(c, routes.state(), c.keep, false);
          advance(c);
        } else if (now >= c.deadline()) {
          end(c);
        }
      }
      std::erase_if(connections, [](const connection& c) { return c.gone; });
    }
    for (connection& c : connections) end(c);
    connections.clear();
  }

  void accept_all(native_socket listener) {
    for (;;) {
      connection c;
      bool exhausted = false;
      c.socket = accept_connection(listener, c.address, exhausted);
      if (c.socket == no_socket) {
        if (exhausted) accept_after = clock_type::now() + kAcceptPause;
        return;
      }
      c.since = clock_type::now();
      if (!make_room(c.address)) {
        close_socket(c.socket);
        continue;
      }
      connections.push_back(std::move(c));
    }
  }

  // Below the limits for one more connection from `address`, ending the one that has waited
  // longest doing least: one drained or idle, else a waiting page (answered now), else a head
  // still coming. False when every one is sending a reply.
  bool make_room(const std::string& address) {
    size_t all = 0, same = 0;
    for (const connection& c : connections) {
      if (c.gone) continue;
      ++all;
      same += c.address == address;
    }
    if (all < kMostInAll && same < kMostPerAddress) return true;
    const bool by_address = same >= kMostPerAddress;
    connection* victim = nullptr;
    auto rank = [](phase p) {
      switch (p) {
        case phase::draining: return 0;
        case phase::idle: return 1;
        case phase::waiting: return 2;
        case phase::reading: return 3;
        case phase::sending: return 4;
      }
      return 4;
    };
    for (connection& c : connections) {
      if (c.gone || c.now == phase::sending || (by_address && c.address != address)) continue;
      if (!victim || rank(c.now) < rank(victim->now) ||
          (rank(c.now) == rank(victim->now) && c.since < victim->since))
        victim = &c;
    }
    if (!victim) return false;
    if (victim->now == phase::waiting) {
      reply(*victim, routes.state(), false, false);
      advance(*victim);
      if (victim->now == phase::sending) return false;  // still going out: it keeps its place
    }
    end(*victim);
    return true;
  }

  void receive(connection& c) {
    char bytes[max_head_bytes];
    const std::ptrdiff_t n = receive_some(c.socket, bytes, sizeof bytes);
    if (n == socket_would_block) return;
    if (n <= 0) {
      end(c);  // the client closed, or the connection broke
      return;
    }
    if (c.now == phase::draining) return;
    c.received.append(bytes, static_cast<size_t>(n));
    if (c.now == phase::waiting) {
      // A next request sent behind a waiting one is kept for later, up to a head's worth.
      if (c.received.size() > max_head_bytes) end(c);
      return;
    }
    advance(c);
  }

  // Moves `c` on as far as it can go now: sends what the socket takes, then answers the next
  // request it sent, if any, once the reply before it is out.
  void advance(connection& c) {
    while (!c.gone) {
      if (c.now == phase::sending) {
        send_more(c);
        if (c.now == phase::sending) return;
      } else if ((c.now == phase::idle || c.now == phase::reading) && !c.received.empty()) {
        if (!serve_received(c)) return;
      } else {
        return;
      }
    }
  }

  // Answers the request at the start of what `c` sent: true once a reply is set to go out,
  // false while its head is not whole or it waits for news.
  bool serve_received(connection& c) {
    const head_reading h = read_request_head(c.received);
    switch (h.what) {
      case head_reading::outcome::partial:
        if (c.now == phase::idle) {
          c.now = phase::reading;  // the whole head is due within kHeadLimit from now
          c.since = clock_type::now();
        }
        return false;
      case head_reading::outcome::too_large:
        reply(c, text_reply(431, "request head too large\n"), false, false);
        return true;
      case head_reading::outcome::bad:
        reply(c, text_reply(400, "bad request\n"), false, false);
        return true;
      case head_reading::outcome::complete:
        break;
    }
    c.received.erase(0, h.length);
    const http_request& request = h.request;
    const bool keep = request.keep_alive() && !request.has_body();
    long wait_since = -1;
    http_reply r = routes.answer(request, port, wait_since);
    if (wait_since >= 0) {
      c.now = phase::waiting;
      c.since = clock_type::now();
      c.wait_since = wait_since;
      c.keep = keep;
      return false;
    }
    reply(c, std::move(r), keep, request.method == "HEAD");
    return true;
  }

  void reply(connection& c, http_reply r, bool keep, bool head_only) {
    c.head = reply_head(r, keep);
    c.body = head_only ? nullptr : std::move(r.body);
    c.sent = 0;
    c.keep = keep;
    c.now = phase::sending;
    c.since = clock_type::now();
  }

  void send_more(connection& c) {
    const size_t body_size = c.body ? c.body->size() : 0;
    while (c.sent < c.head.size() + body_size) {
      std::string_view head, body;
      if (c.sent < c.head.size()) head = std::string_view(c.head).substr(c.sent);
      const size_t into_body = c.sent > c.head.size() ? c.sent - c.head.size() : 0;
      if (body_size > into_body) body = std::string_view(*c.body).substr(into_body);
      const std::ptrdiff_t n = send_some(c.socket, head, body);
      if (n == socket_would_block) return;
      if (n <= 0) {
        end(c);
        return;
      }
      c.sent += static_cast<size_t>(n);
    }
    c.head.clear();
    c.body.reset();
    c.sent = 0;
    c.since = clock_type::now();
    if (!c.keep) {
      // Half-closed: the client reads the whole reply, then its close ends the drain.
      shut_down(c.socket);
      c.received.clear();
      c.now = phase::draining;
      return;
    }
    c.now = phase::idle;
  }

  void end(connection& c) {
    if (c.gone) return;
    close_socket(c.socket);
    c.gone = true;
    c.received.clear();
    c.body.reset();
  }
};

preview_server::preview_server(snapshot_store& store) : impl_(std::make_unique<impl>(store)) {}

preview_server::~preview_server() { stop(); }

bool preview_server::start(int port, std::string& error) {
  stop();
  std::vector<native_socket>& listeners = impl_->listeners;
  auto give_up = [&](const std::string& why) {
    error = why;
    for (native_socket l : listeners) close_socket(l);
    listeners.clear();
    return false;
  };
  for (const char* host : {"127.0.0.1", "::1"}) {
    const bool first = listeners.empty();
    const int at = first ? port : impl_->port;
    socket_failure failure;
    const native_socket s = listen_on_loopback(!first, at, failure);
    if (s == no_socket) {
      // No ::1 on this machine: 127.0.0.1 alone. But ::1's port held by another program would
      // let "localhost" reach that program: then this port will not do.
      if (!first && !failure.address_in_use) continue;
      return give_up(std::string("cannot listen on ") + host + " port " + std::to_string(at) +
                     ": " + failure.words);
    }
    listeners.push_back(s);
    if (first) impl_->port = bound_port(s);
  }
  if (socket_failure failure; !impl_->waker.open(failure))
    return give_up("cannot make the server's wake-up: " + failure.words);
  impl_->stopping = false;
  impl* self = impl_.get();
  impl_->store.on_change([self](long) { self->waker.wake(); });
  impl_->thread = std::thread([self] { self->run(); });
  return true;
}

int preview_server::port() const { return impl_->port; }

void preview_server::stop() {
  if (!impl_->thread.joinable()) return;
  impl_->store.on_change({});
  impl_->stopping = true;
  impl_->waker.wake();
  impl_->thread.join();
  for (native_socket l : impl_->listeners) close_socket(l);
  impl_->listeners.clear();
  impl_->waker.close();
}
