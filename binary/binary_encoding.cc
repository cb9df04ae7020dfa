#include "binary/binary_encoding.h"

#include <bit>
#include <stdexcept>

#include "binary/cp1252.h"

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

namespace {

// A record's fields, one after the other in the order of its field table.
template <class Record, class Table>
void encode_fields(byte_buffer& out, const Record& r, const Table& table) {
  for_each_field(table, [&](const auto& f) { out.field(r.*f.member); });
}

}  // namespace

void encode(byte_buffer& out, const track_cell& c) { encode_fields(out, c, track_cell_fields); }

void encode(byte_buffer& out, const scenario_record& r) {
  encode_fields(out, r, scenario_record_fields);
}
