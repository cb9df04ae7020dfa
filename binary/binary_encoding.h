// The binary encoding of the scenario files: little-endian integers, IEEE doubles, texts with a
// 16-bit length and Windows-1252 bytes, records field by field with no gaps, arrays with no
// header, variant entries with their type code.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "model/route_model.h"

// The low `n` bytes of `v` at `out`, least significant first.
inline void put_little_endian(char* out, uint64_t v, int n) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &v, static_cast<size_t>(n));
  } else {
    for (int i = 0; i < n; ++i) out[i] = static_cast<char>(v >> (8 * i));
  }
}

// The bytes a variant entry takes, its 2-byte type code included: an int16 is 4, an int32 6, a
// double 10 and an empty entry 2. The one table of the plan's entry sizes.
constexpr size_t max_variant_size = 10;
constexpr size_t variant_size(uint16_t type) {
  switch (type) {
    case variant_int16: return 4;
    case variant_int32: return 6;
    case variant_double: return max_variant_size;
    default: return 2;
  }
}

// Writes one variant entry at `out` (room for max_variant_size bytes) and returns the bytes it
// took. Inline: the route plan of a long route has millions of entries.
inline size_t encode_variant(char* out, const variant_entry& e) {
  put_little_endian(out, e.type, 2);
  switch (e.type) {
    case variant_int16:
      put_little_endian(out + 2, static_cast<uint16_t>(static_cast<int16_t>(e.value)), 2);
      break;
    case variant_int32:
      put_little_endian(out + 2, static_cast<uint32_t>(static_cast<int32_t>(e.value)), 4);
      break;
    case variant_double:
      put_little_endian(out + 2, std::bit_cast<uint64_t>(e.value), 8);
      break;
    default:
      break;
  }
  return variant_size(e.type);
}

// The bytes of the whole plan file.
inline size_t plan_file_size(const route_plan_table& plan) {
  size_t n = 0;
  for (uint8_t t : plan.types) n += variant_size(t);
  return n;
}

class byte_buffer {
 public:
  void u8(uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void u16(uint16_t v) { put(v, 2); }
  void i16(int16_t v) { u16(static_cast<uint16_t>(v)); }
  void i32(int32_t v) { put(static_cast<uint32_t>(v), 4); }
  void f64(double v);
  // A text held in a record field: its Windows-1252 length as 16 bits, then the bytes.
  // Throws std::length_error when the text is longer than 65535 bytes.
  void text(std::string_view utf8);
  void variant(const variant_entry& e);
  // A record field, by its type (see model/field_table.h).
  void field(uint8_t v) { u8(v); }
  void field(int16_t v) { i16(v); }
  void field(int32_t v) { i32(v); }
  void field(const std::string& v) { text(v); }

  const std::string& bytes() const { return bytes_; }
  std::string& bytes() { return bytes_; }
  size_t size() const { return bytes_.size(); }
  void clear() { bytes_.clear(); }
  void reserve(size_t n) { bytes_.reserve(n); }

 private:
  // The low `n` bytes of `v`, least significant first.
  void put(uint64_t v, int n) {
    char b[8];
    put_little_endian(b, v, n);
    bytes_.append(b, static_cast<size_t>(n));
  }
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
constexpr size_t track_cell_size = fixed_size(track_cell_fields);
static_assert(track_cell_size == 15, "the simulator reads 15-byte cells");
