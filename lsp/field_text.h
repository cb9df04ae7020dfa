// A field's text as the server's requests read it: without its blanks, as a whole number.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

inline std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The number a field holds, when it is one whole 32-bit number.
inline std::optional<int32_t> number_in(std::string_view text) {
  int32_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}
