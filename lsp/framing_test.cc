#include "lsp/framing.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

TEST(Framing, MessagesFollowOneAnotherAndHeadersAreReadAsTheProtocolWritesThem) {
  std::istringstream in(
      "Content-Length: 2\r\n\r\n{}"
      "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\ncontent-length:  5 \r\n\r\n[1,2]"
      // A client on a platform that ends lines with LF alone.
      "Content-Length: 4\n\nnull");
  for (const char* body : {"{}", "[1,2]", "null"}) {
    const frame f = read_frame(in);
    ASSERT_EQ(f.what, frame::kind::message);
    EXPECT_EQ(f.body, body);
  }
  EXPECT_EQ(read_frame(in).what, frame::kind::end);
}

TEST(Framing, AHeaderBlockWithoutAUsableLengthIsToldAndTheNextMessageIsRead) {
  struct case_ {
    const char* header;
    const char* problem;
  } cases[] = {
      {"Content-Type: x\r\n\r\n", "no Content-Length header"},
      {"Content-Length: 12a\r\n\r\n", "not a number: \"12a\""},
      {"Content-Length: -3\r\n\r\n", "not a number"},
      {"Content-Length: 99999999999999999999999\r\n\r\n", "not a number"},
      {"Content-Length: 700000000\r\n\r\n", "is over"},
      {"garbage without a colon\r\n\r\n", "no Content-Length header"},
  };
  for (const case_& c : cases) {
    std::istringstream in(std::string(c.header) + "Content-Length: 2\r\n\r\n{}");
    const frame bad = read_frame(in);
    EXPECT_EQ(bad.what, frame::kind::bad_header) << c.header;
    EXPECT_NE(bad.problem.find(c.problem), std::string::npos) << bad.problem;
    const frame next = read_frame(in);
    ASSERT_EQ(next.what, frame::kind::message) << c.header;
    EXPECT_EQ(next.body, "{}");
  }
}

TEST(Framing, ABodyCutShortByTheEndOfTheInputEndsTheStream) {
  // A length the input never fills holds no more than what came.
  std::istringstream in("Content-Length: 500000000\r\n\r\n{\"jsonrpc\"");
  EXPECT_EQ(read_frame(in).what, frame::kind::end);
  std::istringstream headers_only("Content-Length: 2\r\n");
  EXPECT_EQ(read_frame(headers_only).what, frame::kind::end);
}

TEST(Framing, AHeaderLineWithoutEndIsCutAndHoldsNoMemory) {
  std::istringstream in(std::string(1 << 20, 'x') + "\r\n\r\nContent-Length: 2\r\n\r\n{}");
  EXPECT_EQ(read_frame(in).what, frame::kind::bad_header);
  EXPECT_EQ(read_frame(in).body, "{}");
}

TEST(Framing, WrittenFramesReadBack) {
  std::stringstream s;
  const std::string body = "{\"text\":\"\xc3\xa9\\r\\n\"}";
  write_frame(s, body);
  EXPECT_EQ(s.str(), "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  EXPECT_EQ(read_frame(s).body, body);
}

}  // namespace
