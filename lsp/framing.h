// The protocol's framing over a byte stream: each message is a header block ("Content-Length:
// N", other headers passed over, a blank line) and N bytes of JSON.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

struct frame {
  enum class kind { message, bad_header, end } what = kind::end;
  std::string body;     // the message's bytes, for kind::message
  std::string problem;  // what was wrong, for kind::bad_header
};

// The largest body taken: a message with the largest source `check` reads (256 MiB) escaped
// into JSON fits; a longer one is a bad header and its bytes are read as further headers.
inline constexpr size_t kLargestBody = size_t{600} << 20;

// Reads the next frame. A header block without a usable Content-Length is kind::bad_header
// (the stream stays at the byte after its blank line); the end of the stream, or a body cut
// short by it, is kind::end.
frame read_frame(std::istream& in);

// Writes `body` with its header and flushes.
void write_frame(std::ostream& out, std::string_view body);
