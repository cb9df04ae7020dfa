// The binary encoding of the scenario files: little-endian integers, IEEE doubles, texts with a
// 16-bit length and Windows-1252 bytes, records field by field with no gaps, arrays with no
// header, variant entries with their type code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/route_model.h"

class byte_buffer {
 public:
  void u8(uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void u16(uint16_t v) {
    u8(static_cast<uint8_t>(v));
    u8(static_cast<uint8_t>(v >> 8));
  }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void i32(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(u >> (8 * i)));
  }
  void f64(double v);
  // A text held in a record field: its Windows-1252 length as 16 bits, then the bytes.
  // Throws std::length_error when the text is longer than 65535 bytes.
  void text(std::string_view utf8);
  void variant(const variant_entry& e);

  const std::string& bytes() const { return bytes_; }
  std::string& bytes() { return bytes_; }
  size_t size() const { return bytes_.size(); }
  void clear() { bytes_.clear(); }
  void reserve(size_t n) { bytes_.reserve(n); }

 private:
  std::string bytes_;
};

void encode(byte_buffer& out, const track_cell& cell);
void encode(byte_buffer& out, const scenario_record& record);

// An array written as a whole: its elements from the lowest index, nothing before them.
template <class Array>
void encode_array(byte_buffer& out, const Array& array) {
  for (const auto& element : array) encode(out, element);
}

// Bytes a cell takes on disk.
constexpr size_t track_cell_size = 15;
