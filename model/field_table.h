// A field table: the fields of a record struct in the order they are written to disk, each with
// the name the inspect output gives it. The binary writer, the binary reader and both inspect
// printers walk the same table, so a record's layout is written once, beside its struct.
#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>
#include <type_traits>

// What a field may hold; its type is its width on disk: little-endian integers of 1, 2 or 4
// bytes, or a text with a 16-bit length before its bytes.
template <class Value>
concept field_value = std::same_as<Value, uint8_t> || std::same_as<Value, int16_t> ||
                      std::same_as<Value, int32_t> || std::same_as<Value, std::string>;

template <class Record, field_value Value>
struct record_field {
  using value_type = Value;
  const char* name;
  Value Record::*member;
};

template <class Record, field_value Value>
constexpr record_field<Record, Value> field(const char* name, Value Record::*member) {
  return {name, member};
}

// Whether a field (the type of a record_field) holds a text rather than a number.
template <class Field>
inline constexpr bool is_text_field =
    std::same_as<typename std::remove_cvref_t<Field>::value_type, std::string>;

// Calls fn(f) for each field f of `table`, in table order. The table is a tuple, so each call
// sees its field's own type and nothing is looked up at run time.
template <class Table, class Fn>
constexpr void for_each_field(const Table& table, Fn&& fn) {
  std::apply([&](const auto&... f) { (fn(f), ...); }, table);
}

// Bytes a record of the table's fields takes on disk; only for a table without a text.
template <class Table>
constexpr size_t fixed_size(const Table& table) {
  size_t n = 0;
  for_each_field(table, [&](const auto& f) {
    using value = typename std::remove_cvref_t<decltype(f)>::value_type;
    static_assert(!std::same_as<value, std::string>, "a text has no fixed size");
    n += sizeof(value);
  });
  return n;
}
