#include "diagnostics/error_codes.h"

#include <algorithm>

namespace {

// One place for every code. Codes 26 and up refuse inputs that would read or write outside a
// table; they have no counterpart in the simulator and never reach its files.
constexpr error_code_info kCodes[] = {
    {1, "route length above 1000000 m", false},
    {2, "a kilometre progressive change point is not a multiple of 50 m", false},
    {3, "signal repetition start is not a multiple of 50 m", false},
    {4, "signal repetition end is not a multiple of 50 m", false},
    {5, "signal repetition keyword contains neither \"4\" nor \"9\"", false},
    {6, "the indicator board's cell is taken", true},
    {7, "the speed cut's cell is taken", true},
    {8, "station position is not a multiple of 50 m", true},
    {9, "station length is not a multiple of 100 m", true},
    {10, "the record table has no room for another station", false},
    {11, "no room for a speed-cut cell before a signal ahead of a slowdown warning board", true},
    {12, "no room for a speed-cut cell in one of the three windows before a slowdown start", true},
    {13, "no room for a speed-cut cell inside a slowdown or before the first signal after it", true},
    {15, "the row's position lies beyond the end of the grid", true},
    {16, "the signal's cell is taken", true},
    {17, "the slowdown warning board's cell is taken", true},
    {18, "the slowdown start cell is taken", true},
    {19, "the slowdown end cell is taken", true},
    {20, "one of the four cells before the slowdown warning board is taken", true},
    {21, "the speed board's cell is taken", true},
    {22, "the station starts less than 350 m after the previous one ends", true},
    {24, "the station's stop cell would fall at or before cell 1", false},
    // A file that cannot be opened is told apart from a row whose fields are wrong.
    {25, "the text files cannot be read", false, "the row cannot be read"},
    {26, "the board's or mountain's cell lies before the route's start", true},
    {27, "the mountain's end lies beyond the end of the grid", true},
    {28, "more than 80 mountains", true},
    {29, "the curve's end lies beyond the route plan's last point", true},
    {30, "no record entry is left for the indicator board's text", true},
    {31, "the indicator board's text is longer than 65535 bytes", true},
    {32, "the slowdown's or speed cut's cell lies before the route's start", true},
    {33, "the signal stands below 350 m, so its markers would fall before cell 0", true},
    {34, "the station's end, stop cell or markers fall beyond the grid", true},
    {35, "the slowdown's end cell lies beyond the grid", true},
    {36, "the station name is longer than 65535 bytes", true},
    {37, "a slowdown's walk or exit scan reached the last cell of the grid", true},
    {101, "the line description text file does not exist", false},
    {102, "no field containing \"[generale]\" in the line description file", false},
    {103, "a curve row without a class digit 1 to 6, or a route plan beyond 1000000 m", false},
    {1250, "the slots for the fixed stamp values are not empty", false},
    {1251, "the slots for the check codes are not empty", false},
};

}  // namespace

std::span<const error_code_info> error_code_table() { return kCodes; }

const error_code_info* find_error_code(int32_t code) {
  auto it = std::find_if(std::begin(kCodes), std::end(kCodes),
                         [code](const error_code_info& e) { return e.code == code; });
  return it == std::end(kCodes) ? nullptr : &*it;
}

const char* meaning_of(const error_code_info& info, bool on_row) {
  return on_row && info.row_meaning ? info.row_meaning : info.meaning;
}
