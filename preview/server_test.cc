#include "preview/server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using namespace std::chrono_literals;

struct reply {
  int status = 0;
  std::string head, body;
};

// Sends `request` as it is to the loopback address and reads the whole reply; the connection
// is closed after one request.
reply ask(int port, const std::string& request, bool ipv6 = false) {
  reply r;
  const int fd = socket(ipv6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return r;
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
    return r;
  }
  send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  std::string all;
  char buffer[4096];
  for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;)
    all.append(buffer, static_cast<size_t>(n));
  close(fd);
  size_t split = all.find("\r\n\r\n");
  r.head = all.substr(0, split);
  r.body = split == std::string::npos ? "" : all.substr(split + 4);
  if (all.rfind("HTTP/1.1 ", 0) == 0) r.status = std::stoi(all.substr(9, 3));
  return r;
}

std::string get(const std::string& path, const std::string& host,
                const std::string& method = "GET") {
  std::string request = method + " " + path + " HTTP/1.1\r\n";
  if (!host.empty()) request += "Host: " + host + "\r\n";
  return request + "Connection: close\r\n\r\n";
}

class PreviewServer : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(server.start(0, error)) << error;
    port = server.port();
    ASSERT_GT(port, 0);
    self = "127.0.0.1:" + std::to_string(port);
  }
  snapshot_store store;
  preview_server server{store};
  int port = 0;
  std::string self;
};

TEST(AllowedHost, OnlyTheLoopbackNamesWithNoPortOrOurs) {
  const struct {
    const char* host;
    bool allowed;
  } cases[] = {
      {"localhost", true},          {"localhost:8417", true},   {"127.0.0.1", true},
      {"127.0.0.1:8417", true},     {"[::1]", true},            {"[::1]:8417", true},
      {"localhost:8418", false},    {"127.0.0.1:80", false},    {"localhost:", false},
      {"evil.example", false},      {"localhost.evil.example", false},
      {"127.0.0.1.nip.example", false}, {"127.0.0.2", false},  {"::1", false},
      {"LOCALHOST.", false},        {"", false},                {"localhost:8417x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(allowed_host(c.host, 8417), c.allowed) << c.host;
}

TEST_F(PreviewServer, ServesThePageAndRefusesOtherHostsAndMethods) {
  const struct {
    std::string request;
    int status;
  } cases[] = {
      {get("/", self), 200},
      {get("/", "localhost:" + std::to_string(port)), 200},
      {get("/", "localhost"), 200},
      {get("/page.js", "[::1]:" + std::to_string(port)), 200},
      {get("/page.css", self), 200},
      {get("/state", self), 200},
      // A page elsewhere reaching us through a name rebound to 127.0.0.1.
      {get("/", "attacker.example:" + std::to_string(port)), 403},
      {get("/state", "attacker.example"), 403},
      {get("/picture.svg", "127.0.0.1:1"), 403},
      {get("/", ""), 403},
      // Nothing changes anything.
      {get("/", self, "POST"), 405},
      {get("/state", self, "PUT"), 405},
      {get("/state", self, "DELETE"), 405},
  };
  for (const auto& c : cases) {
    reply r = ask(port, c.request);
    EXPECT_EQ(r.status, c.status) << c.request;
    if (c.status == 403) {
      EXPECT_EQ(r.body.find("<script"), std::string::npos) << c.request;
    }
  }
  reply page = ask(port, get("/", self));
  EXPECT_NE(page.body.find("<script src=\"/page.js\">"), std::string::npos);
  EXPECT_NE(page.head.find("Content-Type: text/html"), std::string::npos);
}

TEST_F(PreviewServer, AnyOtherPathIsNotFoundAndNeverAFileFromDisk) {
  for (const char* path :
       {"/etc/passwd", "/../etc/passwd", "/../../../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd",
        "/picture.svg/../../etc/passwd", "/state/", "/page.js%00", "/index.html",
        "/%2fetc%2fpasswd", "//etc/passwd", "/page.js/..", "/preview/page.js",
        "/CMakeLists.txt"}) {
    reply r = ask(port, get(path, self));
    EXPECT_TRUE(r.status == 404 || r.status == 400) << path << ": " << r.status;
    EXPECT_EQ(r.body.find("root:"), std::string::npos) << path;
    EXPECT_EQ(r.body.find("project("), std::string::npos) << path;
  }
}

TEST_F(PreviewServer, FollowsThePublishedSnapshots) {
  EXPECT_EQ(ask(port, get("/picture.svg", self)).status, 404);  // no picture yet
  compile_outcome o;
  o.picture = std::make_shared<const std::string>("<svg>first</svg>");
  o.summary = "R_1: fine";
  store.publish(o);
  reply svg = ask(port, get("/picture.svg", self));
  EXPECT_EQ(svg.status, 200);
  EXPECT_EQ(svg.body, "<svg>first</svg>");
  EXPECT_NE(svg.head.find("image/svg+xml"), std::string::npos);
  auto state = nlohmann::json::parse(ask(port, get("/state", self)).body);
  EXPECT_EQ(state["version"], 1);
  EXPECT_EQ(state["summary"], "R_1: fine");

  // A waiting request returns with the next publication, not before.
  std::thread publisher([&] {
    std::this_thread::sleep_for(100ms);
    compile_outcome next;
    next.errors = 1;
    store.publish(next);
  });
  const auto start = std::chrono::steady_clock::now();
  state = nlohmann::json::parse(ask(port, get("/state?since=1", self)).body);
  const auto waited = std::chrono::steady_clock::now() - start;
  publisher.join();
  EXPECT_EQ(state["version"], 2);
  EXPECT_EQ(state["stale"], true);
  EXPECT_GE(waited, 90ms);
  EXPECT_LT(waited, 3000ms);
  EXPECT_EQ(ask(port, get("/picture.svg", self)).body, "<svg>first</svg>");  // the last good one
}

TEST_F(PreviewServer, SendsTheStateAndThePictureUncompressed) {
  compile_outcome o;
  o.picture = std::make_shared<const std::string>("<svg>" + std::string(20000, 'x') + "</svg>");
  store.publish(o);
  for (const char* path : {"/picture.svg", "/state"}) {
    reply r = ask(port, "GET " + std::string(path) + " HTTP/1.1\r\nHost: " + self +
                            "\r\nAccept-Encoding: gzip, deflate, br\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(r.status, 200) << path;
    EXPECT_EQ(r.head.find("Content-Encoding"), std::string::npos) << path << ":\n" << r.head;
  }
  EXPECT_EQ(ask(port, get("/picture.svg", self)).body, *o.picture);
}

TEST_F(PreviewServer, AnswersOnIpv6LoopbackWhereTheMachineHasIt) {
  const int probe = socket(AF_INET6, SOCK_STREAM, 0);
  if (probe < 0) GTEST_SKIP() << "no IPv6 here";
  close(probe);
  reply r = ask(port, get("/", "[::1]:" + std::to_string(port)), true);
  if (r.status == 0) GTEST_SKIP() << "::1 is not configured here";
  EXPECT_EQ(r.status, 200);
}

TEST(PreviewServerPort, APortInUseIsAClearRefusal) {
  snapshot_store store;
  preview_server first(store);
  std::string error;
  ASSERT_TRUE(first.start(0, error)) << error;
  snapshot_store other_store;
  preview_server second(other_store);
  EXPECT_FALSE(second.start(first.port(), error));
  EXPECT_NE(error.find("127.0.0.1 port " + std::to_string(first.port())), std::string::npos)
      << error;
  EXPECT_NE(error.find("in use"), std::string::npos) << error;
}

// Another program holding the port on ::1 alone would answer "localhost": that port is refused.
TEST(PreviewServerPort, APortTakenOnIpv6LoopbackIsRefusedToo) {
  const int holder = socket(AF_INET6, SOCK_STREAM, 0);
  if (holder < 0) GTEST_SKIP() << "no IPv6 here";
  sockaddr_in6 address{};
  address.sin6_family = AF_INET6;
  address.sin6_addr = in6addr_loopback;
  address.sin6_port = 0;
  const int only_v6 = 1;
  setsockopt(holder, IPPROTO_IPV6, IPV6_V6ONLY, &only_v6, sizeof only_v6);
  if (bind(holder, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(holder, 1) != 0) {
    close(holder);
    GTEST_SKIP() << "::1 is not configured here";
  }
  socklen_t size = sizeof address;
  getsockname(holder, reinterpret_cast<sockaddr*>(&address), &size);
  const int port = ntohs(address.sin6_port);

  snapshot_store store;
  preview_server server(store);
  std::string error;
  EXPECT_FALSE(server.start(port, error));
  EXPECT_NE(error.find("::1 port " + std::to_string(port)), std::string::npos) << error;
  close(holder);
}

}  // namespace
