// Rows are recognised by substring tests on their keyword field. The words each row kind looks
// for are in one table, which the compiler's readers, the lint and the format reference share.
#pragma once

#include <cstddef>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The field contains `word` anywhere, letter case counting.
inline bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

// The field contains `word` anywhere, letter case ignored. Every keyword is plain ASCII, so
// folding the ASCII letters is enough.
inline bool contains_nocase(std::string_view field, std::string_view word) {
  auto fold = [](std::string_view s) {
    std::string out(s);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
  };
  return fold(field).find(fold(word)) != std::string::npos;
}

// The field that opens both files' rows, in any letter case; nothing before it is read.
inline constexpr std::string_view kGeneralSection = "[generale]";
// A keyword field holding it gives way to the next field.
inline constexpr std::string_view kSkipMark = "-";

// A field that closes the general section: any field with both brackets, unless it starts with
// a minus (blanks before it aside), which the skipping would pass over.
inline bool ends_general_section(std::string_view field) {
  const size_t first = field.find_first_not_of(" \t");
  const bool minus = first != std::string_view::npos && field[first] == '-';
  return contains(field, "[") && contains(field, "]") && !minus;
}
// A curve keyword holding it (in any case) turns left; the class is its first digit 1 to 6.
inline constexpr std::string_view kLeftCurve = "s";
inline constexpr std::string_view kCurveClasses[] = {"1", "2", "3", "4", "5", "6"};
// Each class's radius in metres, as authors think of curves: 1 / its turning factor a metre.
inline constexpr int kCurveRadii[] = {10000, 5000, 2500, 1000, 500, 333};
// The signal repetition keyword's count of codes, tested in this order.
inline constexpr std::string_view kRepetitionCodes[] = {"4", "9"};

// Where a row kind is read: the line file's general section, the rest of the line file, the
// train file.
enum class row_part { line_general, line_main, train };

// Every keyword test of the readers, in the order each part tests them.
enum class row_keyword {
  route_length, progressive_three, progressive_two, progressive_one,
  background_one, background_two, background_three, signal_repetition,
  gradient, curve, mountain, speed_board, indicator_board,
  braked_mass, cars, speed, adhesion, clock, sand, signal, slowdown, speed_cut, station,
};

// A row kind's test: its keyword field holds `first` and, when not empty, `second`; letter case
// counts unless `any_case`. `written` is the keyword as the built-in files write it.
struct keyword_test {
  row_keyword row;
  row_part part;
  std::string_view written;
  std::string_view first, second;
  bool any_case;
};

inline constexpr keyword_test kKeywordTests[] = {
    {row_keyword::route_length, row_part::line_general, "lunghezza percorso", "percorso", "lunghezza", true},
    {row_keyword::progressive_three, row_part::line_general, "progressiva chilometrica tre", "tre", "progressiva", false},
    {row_keyword::progressive_two, row_part::line_general, "progressiva chilometrica due", "due", "progressiva", false},
    {row_keyword::progressive_one, row_part::line_general, "progressiva chilometrica uno", "uno", "progressiva", false},
    {row_keyword::background_one, row_part::line_general, "sfondo uno", "sfondo", "uno", false},
    {row_keyword::background_two, row_part::line_general, "sfondo due", "sfondo", "due", false},
    {row_keyword::background_three, row_part::line_general, "sfondo tre", "sfondo", "tre", false},
    {row_keyword::signal_repetition, row_part::line_general, "ripetizione segnali 4 codici", "segnali", "ripetizione", false},
    {row_keyword::gradient, row_part::line_main, "pendenza", "pendenza", "", true},
    {row_keyword::curve, row_part::line_main, "curvad6", "curva", "", true},
    {row_keyword::mountain, row_part::line_main, "montagna", "montagna", "", true},
    {row_keyword::speed_board, row_part::line_main, "indicatori_vmax", "indicatori_v", "", true},
    {row_keyword::indicator_board, row_part::line_main, "cartello_indicatore", "indicat", "cartello", true},
    {row_keyword::braked_mass, row_part::train, "percentuale massa frenata", "frenata", "massa", true},
    {row_keyword::cars, row_part::train, "numero vetture", "vetture", "", true},
    {row_keyword::speed, row_part::train, "velocita", "velocit", "", true},
    {row_keyword::adhesion, row_part::train, "aderenza", "aderenza", "", true},
    {row_keyword::clock, row_part::train, "orologio", "orologio", "", true},
    {row_keyword::sand, row_part::train, "sabbia", "sabbia", "", true},
    {row_keyword::signal, row_part::train, "segnale", "segnale", "", true},
    {row_keyword::slowdown, row_part::train, "rallentamento", "rallentamento", "", true},
    {row_keyword::speed_cut, row_part::train, "abbattimento", "abbattimento", "", true},
    {row_keyword::station, row_part::train, "stazione", "stazione", "", true},
};

// The table is indexed by row_keyword.
constexpr bool keyword_table_in_order() {
  for (size_t i = 0; i < std::size(kKeywordTests); ++i)
    if (static_cast<size_t>(kKeywordTests[i].row) != i) return false;
  return static_cast<size_t>(row_keyword::station) + 1 == std::size(kKeywordTests);
}
static_assert(keyword_table_in_order());

inline const keyword_test& keyword_test_of(row_keyword row) {
  return kKeywordTests[static_cast<size_t>(row)];
}

// Whether `field` starts a row of that kind.
inline bool holds_keyword(std::string_view field, row_keyword row) {
  const keyword_test& t = keyword_test_of(row);
  auto has = [&](std::string_view word) {
    return t.any_case ? contains_nocase(field, word) : contains(field, word);
  };
  return has(t.first) && (t.second.empty() || has(t.second));
}

inline std::span<const keyword_test> keyword_tests() { return kKeywordTests; }

// The row kind a keyword field starts in a file: the first whose test it passes, in the order
// the readers test them (the line file's general rows before the others).
inline std::optional<row_keyword> row_keyword_of(std::string_view field, bool line_file) {
  for (const keyword_test& t : kKeywordTests)
    if ((t.part == row_part::train) != line_file && holds_keyword(field, t.row)) return t.row;
  return std::nullopt;
}

// Whether the row's first field after its keyword is a place along the route, in metres: a
// signal's position, a slowdown's or a curve's start; not a route length, a car count or a
// clock.
constexpr bool starts_with_metre(row_keyword row) {
  switch (row) {
    case row_keyword::route_length:
    case row_keyword::background_one:
    case row_keyword::background_two:
    case row_keyword::background_three:
    case row_keyword::braked_mass:
    case row_keyword::cars:
    case row_keyword::clock:
    case row_keyword::sand:
      return false;
    default:
      return true;
  }
}
