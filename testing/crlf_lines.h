// Test helper: the lines of a text file written with CR LF line ends.
#pragma once

#include <string>
#include <vector>

// Splits `bytes` at each CR LF. Returns nothing when the bytes do not end with CR LF or hold a
// CR or LF that is not part of a CR LF pair, so a malformed file never passes a line count.
inline std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) return {};
    std::string line = bytes.substr(start, end - start);
    if (line.find_first_of("\r\n") != std::string::npos) return {};
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}
