// The line file's rows: the general section's, then the rest of the file's.
#include "source/row_table_parts.h"

namespace {

constexpr row_keyword kRouteLengthTests[] = {row_keyword::route_length};
constexpr field_spec kRouteLength[] = {
    {"route length", false, "m", "0 to 1000000", "the route's length, from its start"},
};

// The readers test "tre" first.
constexpr row_keyword kProgressiveTests[] = {
    row_keyword::progressive_three, row_keyword::progressive_two, row_keyword::progressive_one};
constexpr field_spec kProgressive[] = {
    {"start", false, "m", "32-bit; a multiple of 50",
     "the point from which the kilometre marks count from a new value"},
    {"value", false, "m", "32-bit, may be negative; a multiple of 50",
     "the kilometre mark's value at the start"},
    {"flag", false, "-", "1: the value is raised by 100 m; otherwise not",
     "1 raises the value by 100 m"},
};

constexpr row_keyword kBackgroundTests[] = {
    row_keyword::background_one, row_keyword::background_two, row_keyword::background_three};
constexpr field_spec kBackground[] = {
    {"background", false, "m", "32-bit", "where the simulator's background begins"},
};

constexpr row_keyword kRepetitionTests[] = {row_keyword::signal_repetition};
constexpr field_spec kRepetition[] = {
    {"start", false, "m", "32-bit; a multiple of 50",
     "where the signals' aspects start to be repeated in the cab"},
    {"end", false, "m", "32-bit; a multiple of 50; 0: no repetition",
     "where the repetition ends"},
};

constexpr row_keyword kGradientTests[] = {row_keyword::gradient};
constexpr field_spec kGradient[] = {
    {"position", false, "m", "32-bit", "where the gradient starts"},
    {"gradient", false, "per mille",
     "-100 to 155, signed; other values keep the low 8 bits of gradient + 100",
     "the gradient from the position on, up to the next gradient row"},
};

constexpr row_keyword kCurveTests[] = {row_keyword::curve};
constexpr field_spec kCurve[] = {
    {"start", false, "m", "32-bit", "where the curve starts"},
    {"length", false, "m", "32-bit; at least 1", "how far along the route the curve turns"},
};

constexpr row_keyword kMountainTests[] = {row_keyword::mountain};
constexpr field_spec kMountain[] = {
    {"start", false, "m", "32-bit", "where the stretch through the mountain starts"},
    {"end", false, "m", "32-bit; inside the grid", "where the stretch through the mountain ends"},
    {"type", false, "-", "1 to 3; add 10 for markers (11 to 13)",
     "the mountain's type, with markers above 10"},
};

constexpr row_keyword kSpeedBoardTests[] = {row_keyword::speed_board};
constexpr field_spec kSpeedBoard[] = {
    {"position", false, "m", "32-bit", "where the board stands"},
    {"left speed A", false, "km/h", "a multiple of 5 in practice",
     "the left board's maximum speed for category A"},
    {"left speed B", false, "km/h", "a multiple of 5 in practice",
     "the left board's maximum speed for category B"},
    {"left speed C", false, "km/h", "a multiple of 5 in practice",
     "the left board's maximum speed for category C"},
    {"left stripes", false, "-", "0, 1 or 2", "the stripes on the left board"},
    {"right speed A", false, "km/h", "empty (0) where there is no right board",
     "the right board's maximum speed for category A"},
    {"right speed B", false, "km/h", "empty (0) where there is no right board",
     "the right board's maximum speed for category B"},
    {"right speed C", false, "km/h", "empty (0) where there is no right board",
     "the right board's maximum speed for category C"},
    {"right stripes", false, "-", "0, 1 or 2", "the stripes on the right board"},
};

constexpr row_keyword kIndicatorBoardTests[] = {row_keyword::indicator_board};
constexpr field_spec kIndicatorBoard[] = {
    {"position", false, "m", "32-bit", "where the board stands"},
    {"text", true, "-", "to the comma or line end; at most 65535 bytes",
     "the text the board shows"},
};

constexpr row_spec kRows[] = {
    {row_kind::route_length, "route length", "lunghezza percorso", kRouteLengthTests,
     kRouteLength,
     "sets the route's length; the grid runs 7000 m past it"},
    {row_kind::progressive, "kilometre progressive", "progressiva", kProgressiveTests,
     kProgressive,
     "makes the line's kilometre marks count from a new value from a point on"},
    {row_kind::background, "background", "sfondo", kBackgroundTests, kBackground,
     "says where one of the simulator's three backgrounds begins"},
    {row_kind::signal_repetition, "signal repetition", "ripetizione segnali", kRepetitionTests,
     kRepetition,
     "repeats the signals' aspects in the cab from one point to another"},
    {row_kind::gradient, "gradient", "pendenza", kGradientTests, kGradient,
     "sets the gradient from a point on, up to the next gradient row"},
    {row_kind::curve, "curve", "curva", kCurveTests, kCurve,
     "turns the route plan over a stretch: the keyword's digit 1 to 6 is the class (radius 10000 m down to 333 m), an \"s\" in it turns left"},
    {row_kind::mountain, "mountain", "montagna", kMountainTests, kMountain,
     "runs the route through a mountain from one point to another"},
    {row_kind::speed_board, "speed board", "indicatori_vmax", kSpeedBoardTests, kSpeedBoard,
     "puts up a speed board with the speeds of categories A, B and C"},
    {row_kind::indicator_board, "indicator board", "cartello_indicatore", kIndicatorBoardTests,
     kIndicatorBoard,
     "puts up an indicator board with its text"},
};

}  // namespace

std::span<const row_spec> line_row_specs() { return kRows; }
