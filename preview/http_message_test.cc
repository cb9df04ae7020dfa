#include "preview/http_message.h"

#include <gtest/gtest.h>

namespace {

using outcome = head_reading::outcome;

std::string headers(size_t count) {
  std::string s;
  for (size_t i = 0; i < count; ++i) s += "X-" + std::to_string(i) + ": v\r\n";
  return s;
}

TEST(RequestHead, ReadsWhatIsThereAndRefusesWhatIsNotHttp) {
  const std::string get = "GET /state?since=3 HTTP/1.1\r\nHost: localhost\r\n\r\n";
  const struct {
    std::string received;
    outcome what;
  } cases[] = {
      {get, outcome::complete},
      {get + "GET / HTTP/1.1\r\n", outcome::complete},  // the next request waits its turn
      {"\r\n" + get, outcome::complete},                // a blank line left by an earlier request
      {"GET / HTTP/1.0\nHost: a\n\n", outcome::complete},  // bare line feeds
      {"", outcome::partial},
      {"GET / HTTP/1.1\r\nHost: localhost\r\n", outcome::partial},
      {"GET / HTTP/1.1\r\nHost: local", outcome::partial},
      {"GET / HTTP/2.0\r\n\r\n", outcome::bad},
      {"GET http://localhost/ HTTP/1.1\r\n\r\n", outcome::bad},
      {"GET  / HTTP/1.1\r\n\r\n", outcome::bad},
      {"GET /a b HTTP/1.1\r\n\r\n", outcome::bad},
      {"G(T / HTTP/1.1\r\n\r\n", outcome::bad},
      {"GET / HTTP/1.1\r\nHost localhost\r\n\r\n", outcome::bad},
      {"GET / HTTP/1.1\r\n: empty name\r\n\r\n", outcome::bad},
      {"GET / HTTP/1.1\r\nHost: a\r\n folded\r\n\r\n", outcome::bad},
      {"GET / HTTP/1.1\r\nHost: a\rb\r\n\r\n", outcome::bad},
      // Too much: refused before the rest comes, however much that is.
      {"GET / HTTP/1.1\r\n" + headers(max_header_lines) + "\r\n", outcome::complete},
      {"GET / HTTP/1.1\r\n" + headers(max_header_lines + 1), outcome::too_large},
      {"GET / HTTP/1.1\r\nX: " + std::string(max_head_bytes, 'a'), outcome::too_large},
      {"GET / HTTP/1.1\r\nX: " + std::string(max_head_bytes - 23, 'a') + "\r\n\r\n",
       outcome::complete},
      {"GET / HTTP/1.1\r\nX: " + std::string(max_head_bytes - 22, 'a') + "\r\n\r\n",
       outcome::too_large},
      {std::string(max_head_bytes + 1, '\n'), outcome::too_large},
  };
  for (const auto& c : cases) {
    const head_reading h = read_request_head(c.received);
    EXPECT_EQ(h.what, c.what) << c.received.substr(0, 80);
  }

  const head_reading h = read_request_head(get + "GET / HTTP/1.1\r\n");
  EXPECT_EQ(h.length, get.size());
  EXPECT_EQ(h.request.method, "GET");
  EXPECT_EQ(h.request.path, "/state");
  EXPECT_EQ(h.request.query, "since=3");
  EXPECT_EQ(h.request.values("host"), std::vector<std::string_view>{"localhost"});
}

TEST(RequestHead, KeepAliveAndBody) {
  const struct {
    std::string head;
    bool keep_alive, body;
  } cases[] = {
      {"GET / HTTP/1.1\r\n\r\n", true, false},
      {"GET / HTTP/1.1\r\nConnection: close\r\n\r\n", false, false},
      {"GET / HTTP/1.1\r\nConnection: Upgrade, CLOSE\r\n\r\n", false, false},
      {"GET / HTTP/1.0\r\n\r\n", false, false},
      {"GET / HTTP/1.0\r\nConnection: keep-alive\r\n\r\n", true, false},
      {"GET / HTTP/1.1\r\nContent-Length: 0\r\n\r\n", true, false},
      {"POST / HTTP/1.1\r\nContent-Length: 12\r\n\r\n", true, true},
      {"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n", true, true},
  };
  for (const auto& c : cases) {
    const head_reading h = read_request_head(c.head);
    ASSERT_EQ(h.what, outcome::complete) << c.head;
    EXPECT_EQ(h.request.keep_alive(), c.keep_alive) << c.head;
    EXPECT_EQ(h.request.has_body(), c.body) << c.head;
  }
}

TEST(QueryValue, FindsTheNamedValueOnly) {
  EXPECT_EQ(query_value("since=4", "since"), "4");
  EXPECT_EQ(query_value("a=1&since=-1&b", "since"), "-1");
  EXPECT_EQ(query_value("sinceX=4&since=", "since"), "");
  EXPECT_EQ(query_value("", "since"), "");
  EXPECT_EQ(query_value("xsince=4", "since"), "");
}

TEST(ReplyHead, SaysTheLengthOfTheBodyEvenWhenItIsNotSent) {
  http_reply r = text_reply(404, "not found\n");
  r.headers.emplace_back("Cache-Control", "no-store");
  EXPECT_EQ(reply_head(r, true),
            "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nCache-Control: no-store\r\n"
            "Content-Length: 10\r\nConnection: keep-alive\r\n\r\n");
  EXPECT_EQ(reply_head(http_reply{431, "", {}, nullptr}, false),
            "HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Length: 0\r\n"
            "Connection: close\r\n\r\n");
}

}  // namespace
