// Reading the binary scenario files back: the inverse of the binary encoding. Every failure names
// the byte offset where the file stops being what it claims to be.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/route_model.h"

// Bytes that do not decode: `offset` is where the fault lies, `message` says what is wrong.
struct decoding_fault : std::runtime_error {
  decoding_fault(size_t where, std::string why)
      : std::runtime_error("at byte " + std::to_string(where) + ": " + why),
        offset(where),
        message(std::move(why)) {}
  size_t offset;
  std::string message;
};

// What each binary file is called in messages.
inline constexpr const char* kCellFileNoun = "track cell file";
inline constexpr const char* kRecordFileNoun = "scenario record file";
inline constexpr const char* kPlanFileNoun = "route plan file";

// "PATH: not a valid NOUN: at byte N: WHY": how every command tells of a damaged file.
std::string damaged_file_message(const std::string& path, const char* noun,
                                 const decoding_fault& fault);

// Reads little-endian values from the front of a byte string. Each read names what it reads, so
// that a file that ends too early is reported as "the file ends inside WHAT".
class byte_reader {
 public:
  explicit byte_reader(std::string_view bytes) : bytes_(bytes) {}

  uint8_t u8(std::string_view what);
  uint16_t u16(std::string_view what);
  int16_t i16(std::string_view what) { return static_cast<int16_t>(u16(what)); }
  int32_t i32(std::string_view what);
  double f64(std::string_view what);
  // A text field: a 16-bit length, then that many Windows-1252 bytes; returned as UTF-8.
  std::string text(std::string_view what);
  // A variant entry: a 16-bit type code (0, 2, 3 or 5), then the value it names.
  variant_entry variant(std::string_view what);
  // A record field, by its type (see model/field_table.h).
  void field(uint8_t& v, std::string_view what) { v = u8(what); }
  void field(int16_t& v, std::string_view what) { v = i16(what); }
  void field(int32_t& v, std::string_view what) { v = i32(what); }
  void field(std::string& v, std::string_view what) { v = text(what); }

  size_t offset() const { return pos_; }
  size_t remaining() const { return bytes_.size() - pos_; }
  bool at_end() const { return pos_ >= bytes_.size(); }

 private:
  // The next `n` bytes; a fault at the current offset when fewer are left.
  const unsigned char* take(size_t n, std::string_view what);

  std::string_view bytes_;
  size_t pos_ = 0;
};

// The track cell file: 15 bytes a cell, at least one cell, nothing else.
std::vector<track_cell> decode_cells(std::string_view bytes);

// The scenario record file: exactly scenario_record_count entries and nothing after them.
std::vector<scenario_record> decode_records(std::string_view bytes);

// The route plan file: variant entries, every x then every y, so an even number of them; the
// highest metre is half the count less one.
route_plan_table decode_plan(std::string_view bytes);
