// The rows of the two source files, in one table: for each kind of row, the keyword tests that
// start it, the file and part it is read in, and its fields in the order the compiler's readers
// take them, each with its unit, its range and what it means. The lint walks the files by it,
// the format reference prints its field tables from it, and an editor's hover can tell a
// field's meaning from it. The readers themselves read field by field (source/field_reader);
// compiler/row_fields_test.cc keeps them and the table in step.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "files/keywords.h"

enum class row_kind {
  // The line file's general section.
  route_length, progressive, background, signal_repetition,
  // The rest of the line file.
  gradient, curve, mountain, speed_board, indicator_board,
  // The train file.
  braked_mass, cars, speed, adhesion, clock, sand, signal, slowdown, speed_cut, station,
};

struct field_spec {
  const char* name;  // as the lint's messages and the reference name it
  bool text;         // read to the comma or line end; otherwise a number
  const char* unit;  // "m", "km/h", "per mille", ...; "-" for a code or a count
  const char* range;    // the values it takes, as the reference writes them
  const char* meaning;  // one line
};

struct row_spec {
  row_kind kind;
  const char* name;     // "speed board"
  const char* keyword;  // as an author writes it, without a class or number: "curva"
  std::span<const row_keyword> tests;  // the keyword tests that start it, in the readers' order
  std::span<const field_spec> fields;  // after the keyword, in the order they are read
  const char* does;  // what the row does, one line: an editor tells it on the keyword

  // The file and part of it where the row is read.
  row_part part() const { return keyword_test_of(tests.front()).part; }
};

// Every kind of row, in row_kind order.
std::span<const row_spec> row_specs();
const row_spec& row_spec_of(row_kind kind);
// The row a keyword test starts.
const row_spec& row_spec_of(row_keyword test);
// The row a keyword field starts in the line file or the train file, as row_keyword_of finds
// it; null when it starts none.
const row_spec* row_spec_of(std::string_view keyword_field, bool line_file);

// The keywords of one file's rows as an author writes them, in row_kind order: what
// did-you-mean offers.
std::span<const std::string_view> author_keywords(bool line_file);
