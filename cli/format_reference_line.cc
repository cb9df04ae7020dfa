// The line file's rows in the format reference.
#include "cli/format_reference_rows.h"

#include <iterator>
#include <vector>

namespace {

// Each text is a raw literal that starts on the line after its opening quote: &R"(...)"[1]
// skips that first line end.
const reference_section kLineOverview[] = {
    {"THE LINE FILE", &R"(
The line file starts with its general section, "[generale]", which holds the
route length, the kilometre progressives, the backgrounds and the signal
repetition. The section ends at the first field holding both "[" and "]"
that does not start with a minus sign ("[curve]" in the built-in file);
a general row after that point is passed over. The rest of the file holds
curves, gradients, mountains, speed boards and indicator boards, in
sections that only help the reader: every row is known by its keyword.

  keyword                        row                     fields
  lunghezza percorso             route length            1
  progressiva chilometrica uno   kilometre progressive   3
  progressiva chilometrica due   kilometre progressive   3
  progressiva chilometrica tre   kilometre progressive   3
  sfondo uno                     background one          1
  sfondo due                     background two          1
  sfondo tre                     background three        1
  ripetizione segnali 4 codici   signal repetition       2
  curvad6, curvas3               curve                   2
  pendenza                       gradient                2
  montagna                       mountain                3
  indicatori_vmax                speed board             9
  cartello_indicatore            indicator board         2

The general section must hold the route length row: without it there is no
grid and no route plan, and the line file cannot be read (error 25; under
--no-plan, error 15 at the first row with a position).
)"[1]},
};

// The sections of the row kinds; each table of fields is printed from the row table.
const row_section kRowSections[] = {
    {"LINE FILE: ROUTE LENGTH", &R"(
A field in the general section holding "lunghezza" and "percorso", in any
letter case, starts the route length row.
)"[1],
     {row_kind::route_length}, &R"(
The compiler stores the length in the route's record and builds the grid:
the route's length and 7000 m of run-out, in cells of 50 m; with the route
plan, one plan point per metre of it.

A second route length row makes the grid anew, and the last one holds: an
overwrite warning at the later row tells it, with a note at the earlier.

  Example:
    lunghezza percorso,    82000

Errors: 1 when the length is above 1000000 m (it ends the compilation); 25
when it is below 0.
)"[1]},
    {"LINE FILE: KILOMETRE PROGRESSIVES", &R"(
A field in the general section holding "progressiva" and one of "uno", "due"
or "tre", all in small letters, starts a kilometre progressive row:
"progressiva chilometrica uno", "... due" and "... tre". Each says from which
point of the route the kilometre marks count from a new value.
)"[1],
     {row_kind::progressive}, &R"(
The compiler orders the three by start into the route records 81 (the
greatest start) to 83 (the smallest) and adds 100 to the value of each whose
flag is 1. When two share the greatest start, all three are cleared. When
the starts add up to 0 (all at 0, say), they are ordered by value instead,
and all three are cleared unless one has a positive value. A progressive the
file does not give counts as start 0, value 0, flag 0.

From a progressive's start on, the kilometre mark at a point is its value
plus the metres beyond the start, until the next progressive's start;
before the first, the mark is the metres from the route's start. inspect
prints this mark as "km" beside each position in metres.

Progressives cleared so are lost: an overwrite warning at each row that held
anything tells why, with notes at the rows that share the greatest start,
or at the other rows when the starts add up to 0.

  Example:
    progressiva chilometrica uno,    9600,    -9550,    0
    progressiva chilometrica due,    40500,    63200,    1
    progressiva chilometrica tre,    63200,    101300,    1

Errors: 2 when a start or a value is not a multiple of 50 m once ordered
and raised (told for the line file after the train file is read); 25 when a
raised value leaves 32 bits.
)"[1]},
    {"LINE FILE: BACKGROUNDS", &R"(
A field in the general section holding "sfondo" and one of "uno", "due" or
"tre", all in small letters, starts a background row: "sfondo uno",
"sfondo due", "sfondo tre". Each gives where the simulator's background one,
two or three begins.
)"[1],
     {row_kind::background}, &R"(
The compiler stores the three positions in the route name's record (entry
85: background one in its first number, three in its second, two in its
third).

  Example:
    sfondo uno,    1
    sfondo due,    31000
    sfondo tre,    59500

Errors: 25 only (a number that cannot be read).
)"[1]},
    {"LINE FILE: SIGNAL REPETITION", &R"(
A field in the general section holding "segnali" and "ripetizione", in small
letters, starts the signal repetition row: the stretch of the route where
the signals' aspects are repeated in the cab. The digit 4 or 9 in the
keyword gives the number of codes (4 is tested first): "ripetizione segnali
4 codici".
)"[1],
     {row_kind::signal_repetition}, &R"(
The compiler stores start, end and the number of codes in the train number's
record (entry 86); an end of 0 makes the number of codes 0.

  Example:
    ripetizione segnali 4 codici,    10550,    79900

Errors, each ending the compilation: 3 when the start is not a multiple of
50 m; 4 when the end is not; 5 when the keyword holds neither "4" nor "9".
)"[1]},
    {"LINE FILE: CURVES", &R"(
A field holding "curva", in any letter case, starts a curve row, read only
when the route plan is built (not under --no-plan, where the row's fields
are passed over one by one). The lowest of the digits 1 to 6 that the
keyword holds is the curve's class; a keyword holding "s" (either case) turns
left, any other right: "curvad6" is a sharp right-hand curve, "curvas1" a
gentle left-hand one.

  class      1      2      3      4      5      6
  radius m   10000  5000   2500   1000   500    333
)"[1],
     {row_kind::curve}, &R"(
The route plan is a line of one point a metre. It starts at the origin
heading north, runs straight up to a curve's start and turns over the
curve's length, then runs straight again; after the last curve it runs
straight to the end of the grid. Curves must come in ascending order
without overlapping: one that starts before the previous one ends turns only
the part after that end.

  Example:
    curvad6,  1000,  400
    curvas3,  10400,  1500

Errors: 103 when the keyword holds no digit 1 to 6, or the plan would pass
1000000 points (both end the compilation); 15 when the start lies beyond
the grid; 29 when the end lies beyond the plan's last point. Warnings:
curve-overlap, run-out, range (a curve of no length), curve-class (a keyword
holding more digits than its class, such as "curvad1000" written for a
radius: the compiler takes class 1).
)"[1]},
    {"LINE FILE: GRADIENTS", &R"(
A field holding "pendenza", in any letter case, starts a gradient row.
)"[1],
     {row_kind::gradient}, &R"(
Each gradient applies from the cell round(position / 50) up to the cell
before the next gradient row's. Cells before the first row are level; the
last gradient runs on to the fourth cell from the grid's end; the last three
cells keep code 0, as they keep no speed or adhesion either. Rows must come
in ascending order: a row at or behind the previous one still writes one
cell of the previous gradient.

  Example:
    pendenza,  1200,   5
    pendenza,  43950,   -5

Errors: 15 when the position lies beyond the grid. Warnings: row-order,
off-grid, run-out, range (beyond 60 per mille either way).
)"[1]},
    {"LINE FILE: MOUNTAINS", &R"(
A field holding "montagna", in any letter case, starts a mountain row: a
stretch of the route that runs through a mountain.
)"[1],
     {row_kind::mountain}, &R"(
The cells from round(start / 50) to round(end / 50 - 1) get the mountain's
type. With a type above 10, every fourth of those cells that is empty gets a
mountain marker; a marker gives way to any object placed there later. A
mountain that starts 150 m or less after the previous mountain's end gets
type 3 whatever its row says. There may be 80 mountains at most.

  Example:
    montagna,   59500,  59650,  2

Errors, each ending the reading of the line file: 15 when the start lies
beyond the grid; 26 when the start's cell lies before the route's start; 27
when the end lies beyond the grid; 28 for an 81st mountain. Warnings:
off-grid (start or end), run-out.
)"[1]},
    {"LINE FILE: SPEED BOARDS", &R"(
A field holding "indicatori_v", in any letter case, starts a speed board
row, written "indicatori_vmax": the maximum speeds for the three train
categories A, B and C on a board to the left of the track and, where there
is one, a second board to the right.
)"[1],
     {row_kind::speed_board}, &R"(
The board goes into the cell round(position / 50 + 1). For each category the
cell holds left / 5 x 100 + right / 5 (140 and 160 give 2832), and the
stripes 10 x left + right. In the built-in scenario a board announcing a
lower speed comes as three, 500 m apart, with 2, 1 and 0 stripes.

A station whose stop cell is the board's takes the cell: the board is lost,
and an overwrite warning at the station's row tells it.

  Example:
    indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0
    indicatori_vmax,  63650,  140,  160,  160,  0,  140,  160,  160,  0

Errors: 21 when the cell is taken (it ends the compilation); 15 when the
position lies beyond the grid; 26 when the cell lies before the route's
start; 25 when a speed pair's or the stripes' code leaves 16 bits
(-32768 to 32767). Warnings: off-grid, run-out.
)"[1]},
    {"LINE FILE: INDICATOR BOARDS", &R"(
A field holding "indicat" and "cartello", in any letter case, starts an
indicator board row, written "cartello_indicatore": a board showing a text
beside the track.
)"[1],
     {row_kind::indicator_board}, &R"(
The board goes into the cell round(position / 50 + 1), and its text into the
record table: the first board's into entry 80, the next one's into 79, and
so on down. Stations take the same table's entries from 1 up, so with b
boards there is room for 78 - b stations.

A station whose stop cell is the board's takes the cell: the board is lost
from the cells, though its text stays in the records, and an overwrite
warning at the station's row tells it.

  Example:
    cartello_indicatore,  60950,   (Km. 2.256)

Errors: 6 when the cell is taken (it ends the compilation); 15 when the
position lies beyond the grid; 26 when the cell lies before the route's
start; 30 when no entry is left for the text; 31 when the text is longer
than 65535 bytes. Warnings: text-field (a comma or quotes in the text),
off-grid, run-out.
)"[1]},
};

}  // namespace

std::span<const row_section> line_row_sections() { return kRowSections; }

std::span<const reference_section> line_file_sections() {
  static const std::vector<reference_section> sections = [] {
    std::vector<reference_section> v(std::begin(kLineOverview), std::end(kLineOverview));
    for (const reference_section& s : with_field_tables(line_row_sections())) v.push_back(s);
    return v;
  }();
  return sections;
}

