#include "files/binary_encoding.h"

#include <bit>
#include <stdexcept>

#include "files/cp1252.h"

void byte_buffer::f64(double v) { put(std::bit_cast<uint64_t>(v), 8); }

void byte_buffer::text(std::string_view utf8) {
  std::string bytes = utf8_to_cp1252(utf8);
  if (bytes.size() > 0xFFFF) throw std::length_error("text longer than 65535 bytes");
  u16(static_cast<uint16_t>(bytes.size()));
  bytes_ += bytes;
}

void byte_buffer::variant(const variant_entry& e) {
  char b[max_variant_size];
  bytes_.append(b, encode_variant(b, e));
}

void encode(byte_buffer& out, const track_cell& c) {
  out.u8(c.kind);
  out.i16(c.value_1);
  out.i16(c.value_2);
  out.i16(c.value_3);
  out.i16(c.value_4);
  out.u8(c.time_code);
  out.u8(c.marker_code);
  out.u8(c.mountain_type);
  out.u8(c.speed_code);
  out.u8(c.gradient_code);
  out.u8(c.adhesion_code);
}

void encode(byte_buffer& out, const scenario_record& r) {
  out.u8(r.tag);
  out.i32(r.number_1);
  out.i32(r.number_2);
  out.i32(r.number_3);
  out.u8(r.flag_byte);
  out.text(r.text);
  out.i16(r.short_1);
  out.i16(r.short_2);
  out.i16(r.short_3);
  out.i16(r.short_4);
  out.i16(r.short_5);
  out.u8(r.byte_1);
  out.u8(r.byte_2);
  out.u8(r.byte_3);
  out.u8(r.byte_4);
  out.i32(r.number_4);
}
