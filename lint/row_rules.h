// The rows of the two source files as the compiler's readers take them: which keyword fields
// start which row, and the fields each row reads after its keyword.
#pragma once

// The keyword tests of the readers, contains and contains_nocase, are shared with them.
#include "files/keywords.h"

#include <span>
#include <string_view>
#include <vector>

enum class row_kind {
  // The line file's general section.
  route_length, progressive, background, signal_repetition,
  // The rest of the line file.
  gradient, curve, mountain, speed_board, indicator_board,
  // The train file.
  braked_mass, cars, speed, adhesion, clock, sand, signal, slowdown, speed_cut, station,
};

struct field_spec {
  const char* name;
  bool text = false;  // read to the comma or line end; otherwise a number
};

struct row_rule {
  row_kind kind;
  bool (*matches)(std::string_view keyword);
  std::vector<field_spec> fields;
};

// The rules each phase tests, in the order the reader tests them; every rule that matches
// reads its fields, one after the other.
std::span<const row_rule> general_rules();
std::span<const row_rule>
main_line_rules();  // curves included; the caller drops them without a plan
std::span<const row_rule> train_rules();

// The keywords an author writes, for did-you-mean.
std::span<const std::string_view> line_keywords();
std::span<const std::string_view> train_keywords();

