#include "lsp/framing.h"

#include "lsp/field_text.h"

#include <charconv>
#include <istream>
#include <ostream>

namespace {

// A header line longer than this is no header: it is cut there, so a stream of bytes without
// line ends cannot fill the memory.
constexpr size_t kLongestHeaderLine = 4096;

// One header line without its line end; false at the end of the stream before any byte.
bool read_header_line(std::istream& in, std::string& line) {
  line.clear();
  bool any = false;
  for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
    any = true;
    if (c == '\n') break;
    if (line.size() < kLongestHeaderLine) line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

bool same_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}


}  // namespace

frame read_frame(std::istream& in) {
  frame f;
  std::string line;
  bool has_length = false;
  size_t length = 0;
  std::string problem;
  bool any_header = false;
  while (true) {
    if (!read_header_line(in, line)) return {};  // the stream ended
    if (line.empty()) {
      if (!any_header) continue;  // blank lines between messages are passed over
      break;
    }
    any_header = true;
    // A line that is no "Name: value" header is passed over like any unknown header.
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    if (!same_nocase(trimmed(std::string_view(line).substr(0, colon)), "content-length")) continue;
    const std::string_view value = trimmed(std::string_view(line).substr(colon + 1));
    size_t n = 0;
    auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || value.empty()) {
      problem = "Content-Length is not a number: \"" + std::string(value.substr(0, 40)) + "\"";
    } else if (n > kLargestBody) {
      problem = "Content-Length is over " + std::to_string(kLargestBody) + " bytes";
    } else {
      has_length = true;
      length = n;
    }
  }
  if (!has_length) {
    f.what = frame::kind::bad_header;
    f.problem = problem.empty() ? "no Content-Length header" : problem;
    return f;
  }
  // The body is taken as it comes, so a length the stream never fills holds no more memory
  // than the bytes that came.
  constexpr size_t kPiece = 64 * 1024;
  while (f.body.size() < length) {
    const size_t want = std::min(kPiece, length - f.body.size());
    const size_t had = f.body.size();
    f.body.resize(had + want);
    in.read(f.body.data() + had, static_cast<std::streamsize>(want));
    const size_t got = static_cast<size_t>(in.gcount());
    f.body.resize(had + got);
    if (got < want) return {};
  }
  f.what = frame::kind::message;
  return f;
}

void write_frame(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}
