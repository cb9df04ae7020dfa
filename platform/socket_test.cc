#include "platform/socket.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A listener on 127.0.0.1 and one connection to it, both ends, closed at the end of the test.
struct loopback_pair {
  native_socket listener = no_socket, client = no_socket, server = no_socket;
  std::string client_address;

  loopback_pair() {
    socket_failure failure;
    listener = listen_on_loopback(false, 0, failure);
    if (listener == no_socket) return;
    client = connect_to_loopback(false, bound_port(listener), failure);
    std::vector<socket_wait> wait{{listener}};
    bool exhausted = false;
    if (client != no_socket && wait_for_sockets(wait, 5000) && wait[0].ready)
      server = accept_connection(listener, client_address, exhausted);
  }
  ~loopback_pair() {
    for (native_socket s : {listener, client, server}) close_socket(s);
  }
  bool whole() const { return server != no_socket; }
};

// What the server end has received within a few seconds, up to `size` bytes.
std::string received(native_socket s, size_t size) {
  std::string all;
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (all.size() < size && std::chrono::steady_clock::now() < until) {
    std::vector<socket_wait> wait{{s}};
    if (!wait_for_sockets(wait, 100) || !wait[0].ready) continue;
    char bytes[4096];
    const std::ptrdiff_t n = receive_some(s, bytes, sizeof bytes);
    if (n <= 0) break;
    all.append(bytes, static_cast<size_t>(n));
  }
  return all;
}

TEST(Socket, AcceptsAConnectionAndCarriesBothPartsOfASendInOrder) {
  loopback_pair pair;
  ASSERT_TRUE(pair.whole());
  EXPECT_EQ(pair.client_address, "127.0.0.1");
  const std::string head(100, 'h'), body(200000, 'b');
  std::string got;
  std::thread reader([&] { got = received(pair.server, head.size() + body.size()); });
  for (size_t sent = 0; sent < head.size() + body.size();) {
    const std::string_view first = sent < head.size() ? std::string_view(head).substr(sent) : "";
    const std::string_view second =
        std::string_view(body).substr(sent > head.size() ? sent - head.size() : 0);
    const std::ptrdiff_t n = send_some(pair.client, first, second);
    EXPECT_GT(n, 0);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  reader.join();
  EXPECT_EQ(got.size(), head.size() + body.size());
  EXPECT_TRUE(got == head + body);
  // Nothing more waits on the listener, and the server end has nothing more to read.
  std::string address;
  bool exhausted = true;
  EXPECT_EQ(accept_connection(pair.listener, address, exhausted), no_socket);
  EXPECT_FALSE(exhausted);
  char byte;
  EXPECT_EQ(receive_some(pair.server, &byte, 1), socket_would_block);
}

TEST(Socket, AnEndShutDownReadsAsTheClose) {
  loopback_pair pair;
  ASSERT_TRUE(pair.whole());
  ASSERT_EQ(send_some(pair.server, "last"), 4);
  shut_down(pair.server);
  std::string all;
  char bytes[16];
  for (std::ptrdiff_t n; (n = receive_some(pair.client, bytes, sizeof bytes)) > 0;)
    all.append(bytes, static_cast<size_t>(n));
  EXPECT_EQ(all, "last");
}

// A client that has gone is a broken send, never a signal that ends the program.
TEST(Socket, SendingToAClosedPeerIsBrokenNotASignal) {
  loopback_pair pair;
  ASSERT_TRUE(pair.whole());
  close_socket(pair.client);
  pair.client = no_socket;
  const std::string chunk(65536, 'x');
  std::ptrdiff_t n = 0;
  for (int i = 0; i < 1000 && n != socket_broken; ++i) {
    n = send_some(pair.server, chunk);
    if (n == socket_would_block) std::this_thread::sleep_for(1ms);
  }
  EXPECT_EQ(n, socket_broken);
}

TEST(Socket, APortListenedOnIsInUseInTheSystemsWords) {
  socket_failure failure;
  const native_socket first = listen_on_loopback(false, 0, failure);
  ASSERT_NE(first, no_socket) << failure.words;
  EXPECT_EQ(listen_on_loopback(false, bound_port(first), failure), no_socket);
  close_socket(first);
  EXPECT_TRUE(failure.address_in_use);
  // Never a bare code: Winsock's errors have no words in the C library's strerror.
  EXPECT_EQ(failure.words.find("error"), std::string::npos) << failure.words;
  EXPECT_EQ(failure.words.find("Unknown"), std::string::npos) << failure.words;
}

TEST(SocketWaker, WakesAWaitWithNoLimitFromAnotherThread) {
  socket_waker waker;
  socket_failure failure;
  ASSERT_TRUE(waker.open(failure)) << failure.words;
  std::vector<socket_wait> wait{{waker.waitable()}};
  EXPECT_TRUE(wait_for_sockets(wait, 0));
  EXPECT_FALSE(wait[0].ready);
  std::thread other([&] {
    std::this_thread::sleep_for(50ms);
    waker.wake();
    waker.wake();  // a second wake-up before the wait takes the first is one
  });
  EXPECT_TRUE(wait_for_sockets(wait, -1));
  other.join();
  EXPECT_TRUE(wait[0].ready);
  // Drained, it holds nothing until the next wake-up.
  std::this_thread::sleep_for(20ms);
  waker.drain();
  EXPECT_TRUE(wait_for_sockets(wait, 0));
  EXPECT_FALSE(wait[0].ready);
  waker.wake();
  EXPECT_TRUE(wait_for_sockets(wait, 5000));
  EXPECT_TRUE(wait[0].ready);
}

}  // namespace
