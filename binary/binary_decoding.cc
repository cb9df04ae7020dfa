#include "binary/binary_decoding.h"

#include <bit>

#include "binary/binary_encoding.h"
#include "binary/cp1252.h"

namespace {

std::string count_of_bytes(size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

}  // namespace

const unsigned char* byte_reader::take(size_t n, std::string_view what) {
  if (remaining() < n)
    throw decoding_fault(pos_, "the file ends inside " + std::string(what) + ": " +
                                   count_of_bytes(n) + " needed, " + std::to_string(remaining()) +
                                   " left");
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + pos_;
  pos_ += n;
  return p;
}

uint8_t byte_reader::u8(std::string_view what) { return *take(1, what); }

uint16_t byte_reader::u16(std::string_view what) {
  const unsigned char* p = take(2, what);
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

int32_t byte_reader::i32(std::string_view what) {
  const unsigned char* p = take(4, what);
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | p[i];
  return static_cast<int32_t>(u);
}

double byte_reader::f64(std::string_view what) {
  const unsigned char* p = take(8, what);
  uint64_t u = 0;
  for (int i = 7; i >= 0; --i) u = (u << 8) | p[i];
  return std::bit_cast<double>(u);
}

std::string byte_reader::text(std::string_view what) {
  size_t start = pos_;
  if (remaining() < 2) take(2, std::string(what) + "'s length");
  uint16_t n = u16(what);
  if (remaining() < n)
    throw decoding_fault(start, std::string(what) + " of " + count_of_bytes(n) +
                                    " runs past the end of the file (" +
                                    count_of_bytes(remaining()) + " left)");
  const unsigned char* p = take(n, what);
  return cp1252_to_utf8(std::string_view(reinterpret_cast<const char*>(p), n));
}

variant_entry byte_reader::variant(std::string_view what) {
  size_t start = pos_;
  if (remaining() < 2) take(2, std::string(what) + "'s type code");
  uint16_t type = u16(what);
  switch (type) {
    case variant_empty:
      return {variant_empty, 0};
    case variant_int16:
      return {variant_int16, static_cast<double>(i16(what))};
    case variant_int32:
      return {variant_int32, static_cast<double>(i32(what))};
    case variant_double:
      return {variant_double, f64(what)};
    default:
      throw decoding_fault(start, std::string(what) + " has the type code " +
                                      std::to_string(type) + ", not 0, 2, 3 or 5");
  }
}

std::vector<track_cell> decode_cells(std::string_view bytes) {
  if (bytes.empty()) throw decoding_fault(0, "a cell file holds at least one cell; this one is empty");
  if (size_t partial = bytes.size() % track_cell_size; partial != 0) {
    size_t whole = bytes.size() / track_cell_size;
    throw decoding_fault(bytes.size() - partial,
                         "the file ends " + count_of_bytes(partial) + " into cell " +
                             std::to_string(whole) + ": its " + count_of_bytes(bytes.size()) +
                             " are not a whole number of 15-byte cells");
  }
  std::vector<track_cell> cells(bytes.size() / track_cell_size);
  byte_reader in(bytes);
  for (track_cell& c : cells)
    for_each_field(track_cell_fields, [&](const auto& f) { in.field(c.*f.member, "a cell"); });
  return cells;
}

std::vector<scenario_record> decode_records(std::string_view bytes) {
  std::vector<scenario_record> records(scenario_record_count);
  byte_reader in(bytes);
  for (size_t e = 0; e < records.size(); ++e) {
    scenario_record& r = records[e];
    std::string entry = "entry " + std::to_string(e);
    for_each_field(scenario_record_fields,
                   [&](const auto& f) { in.field(r.*f.member, entry + "'s " + f.name); });
  }
  if (!in.at_end())
    throw decoding_fault(in.offset(), std::to_string(in.remaining()) + " bytes follow entry " +
                                          std::to_string(scenario_record_count - 1) +
                                          ", the last entry of the table");
  return records;
}

route_plan_table decode_plan(std::string_view bytes) {
  if (bytes.empty()) throw decoding_fault(0, "a route plan file holds at least one point; this one is empty");
  std::vector<variant_entry> entries;
  entries.reserve(bytes.size() / 10 + 1);
  byte_reader in(bytes);
  while (!in.at_end()) entries.push_back(in.variant("a plan entry"));
  if (entries.size() % 2 != 0)
    throw decoding_fault(bytes.size(), "the file holds " + std::to_string(entries.size()) +
                                           " entries, an odd number: the plan holds an x and a "
                                           "y for every metre");
  route_plan_table plan;
  plan.create(static_cast<int32_t>(entries.size() / 2 - 1));
  for (size_t i = 0; i < entries.size(); ++i) {
    plan.types[i] = static_cast<uint8_t>(entries[i].type);
    plan.values[i] = entries[i].value;
  }
  return plan;
}

std::string damaged_file_message(const std::string& path, const char* noun,
                                 const decoding_fault& fault) {
  return path + ": not a valid " + noun + ": " + fault.what();
}
