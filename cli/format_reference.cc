#include "cli/format_reference.h"

#include <iterator>
#include <ostream>
#include <vector>

#include "cli/format_reference_rows.h"

namespace {

// Each text is a raw literal that starts on the line after its opening quote: &R"(...)"[1]
// skips that first line end.
const reference_section kIntroduction[] = {
    {"THE TWO SOURCE FILES", &R"(
A scenario is written as two text files side by side: the line file, which
describes the route (its length, curves, gradients, mountains and lineside
boards), and the train file, which describes one train's run over it (its
cars, the adhesion and speed limits along the route, the stations with their
timetable, the signals, slowdowns and speed cuts). Both use the same
positions: whole metres from the route's start.

  line file     NAME_linea.txt        e.g. Zenvro_Quarvel_linea.txt
  train file    NAME_NUMBER-.txt      e.g. Zenvro_Quarvel_2417-.txt

NAME is the route's name and NUMBER the train's. compile and check take them
from the file names unless --route and --train give them; the compiled files
are NAME_linea.dat (the route plan), NAME_NUMBER.sim (the records) and
NAME_NUMBER.dat (the cells). "scenario-compiler export" writes the built-in
scenario's two files, the best starting point for a scenario of your own.

The files are Windows-1252 text, one byte per character ("a" with a grave
accent is the byte 0xE0), lines ended by CR LF; a lone LF or CR ends a line
too, so files edited on Linux read the same. A file saved as UTF-8 holding
characters beyond ASCII is still read byte by byte as Windows-1252 (the
encoding warning shows how it will read); with --encoding utf-8 it is
converted first: a byte-order mark at its start is dropped, and bytes that
are not UTF-8 (an overlong form, a surrogate, a sequence cut short) or a
character that Windows-1252 lacks are errors naming them.
)"[1]},
    {"LINES, FIELDS AND NUMBERS", &R"(
A file is read as one stream of fields. A field ends at a comma or at a line
end; blanks (spaces and tabs) around it only align the columns. A row is a
keyword field followed by a fixed number of fields, and the reader takes
exactly that many, wherever they stand: a row with too few fields on its line
takes the first fields of the next line, and the rows after it shift; a row
with too many leaves the rest to be read as keywords. The misaligned-row
warning tells both.

A number field holds an optional minus sign and decimal digits, nothing
else: no plus sign, no decimal point, no thousands separator. A blank ends a
number as a comma does, so numbers on one line may stand apart by blanks
alone: "orologio,    8    24    15" reads 8, 24 and 15. An empty number field
(nothing but blanks before its comma) reads as 0. Any other text, say "3x0",
"1.5" or "-", cannot be read: error 25, "the row cannot be read", with the
detail ""3x0" is not a number". Each number must also fit its field: most
are 32-bit (-2147483648 to 2147483647), some 16-bit (-32768 to 32767) or
8-bit (0 to 255), as each row's table of fields says (a range left blank
there is the one above it); a number that does not fit is error 25 too.

A text field (a station's name, an indicator board's text) runs from its
first non-blank character to the comma or line end; blanks at its end are
dropped. It cannot hold a comma: the text is cut there and the rest is read
as the next row's keyword (the text-field warning). Quotes mean nothing
special: they stay part of the text.

There is no comment syntax. A field that starts no row of its file is passed
over, and the field after it is tested as a keyword in turn. So section
headers such as "[pendenze]", notes and blank lines are passed over, but a
note must hold no keyword of its file: in the train file, a note mentioning
"velocita" starts a speed row.
)"[1]},
    {"HOW A ROW IS RECOGNISED", &R"(
Nothing before the first field holding "[generale]" (in any letter case) is
read, in either file. After it, each field read as a keyword is tested
against the keywords of its file. A keyword test looks for a word anywhere
in the field: "velocita", "VELOCITA'" and "limite velocita" all start a speed
row, and "[aderenze]" starts no adhesion row, as it does not hold
"aderenza". The tests of the train file and of the line file after its
general section ignore letter case; in the general section only the route
length's does: "progressiva", "uno", "due", "tre", "sfondo", "segnali" and
"ripetizione" must be written in small letters.

Every test that holds fires, in the order of its file's table, each reading
its own fields: a field holding both "pendenza" and "montagna" reads a
gradient row and then a mountain row.

A keyword field holding a minus sign is given up for the next field, up to
ten times in a row in the line file's general section and twice elsewhere:
a line "----" between rows is passed over, and so is a row whose keyword
holds a minus sign: "-pendenza,  1200,   5" leaves that gradient out (its
numbers are passed over as fields that start no row). Negative numbers are
read by their rows and are not touched by this rule.

The file's last field is never taken as a keyword: end each file with a line
such as "[fine]" after its last row.
)"[1]},
    {"POSITIONS, THE 50 M GRID AND THE ORDER OF ROWS", &R"(
The compiler lays the route out as a grid of cells of 50 m: cell c covers
the metres from c x 50 on. The grid runs 7000 m past the route's length (the
run-out), so its last cell is (length + 7000) / 50: 1780 for a route of
82000 m.

Metres become cells by rounding to the nearest whole cell, halves to the
even one: 1225 m gives cell 24 (24.5), 1275 m cell 26 (25.5). A running value
(gradient, speed limit, adhesion) applies from the cell round(p / 50); a
speed cut lies in that cell too. A point object (a signal, a speed or
indicator board, a slowdown's start, end and warning board) goes into the
cell after it, round(p / 50 + 1): a signal at 1750 m is in cell 36. A
position off the grid is rounded (the off-grid warning says where it lands);
a station's position, a kilometre progressive and a signal repetition must
be multiples of 50 m, and a station's length a multiple of 100 m.

A row may stand at most 100 m before the grid's end (a station 800 m):
88900 m for a route of 82000 m. A row beyond is error 15, which ends the
reading of its file; the message gives the furthest position allowed. Rows
past the route's length but inside the grid are taken, with the run-out
warning.

A cell holds one object. A cell is free when it is empty or holds only a
mountain marker; the row that finds its cell taken is refused with a code of
its own (6, 7, 16 to 21). The line file is read first, so its boards hold
their cells before the train file's rows come; only a station's stop point
overwrites what its cell holds.

The order of rows matters where values run on: gradients, speed limits and
adhesion fill their cells in sequence, so each kind must come in ascending
position order (the row-order warning); curves must ascend and not overlap
(curve-overlap); stations must ascend, each starting at least 350 m after
the previous one ends (error 22). Indicator boards and stations take record
entries in file order; other rows may come in any order.
)"[1]},
};

const reference_section kClosing[] = {
    {"ERRORS AND WARNINGS", &R"(
compile and check report each error as

  FILE:LINE:COLUMN: error CODE: MEANING[: DETAIL] (at POSITION m)

followed by the row and a caret under the field at fault; codes not tied to
a row name the file alone. A warning of the lint reads

  FILE:LINE:COLUMN: warning: MESSAGE [-WNAME]

"scenario-compiler help check" lists the warnings; --werror makes them
errors and -Wno-NAME silences one kind.

Codes 1, 3, 4, 5, 6, 21, 101, 102 and 103 end the compilation. Codes 15 and
26 to 31 end the reading of the line file: its closing fills run and the
train file is still read. In the train file, 15 ends the reading and the
cells behind the last row still get their speed and adhesion; every other
code ends the compilation at once. After any error no binary file is
written, unless --emit-on-fault asks for the partial result.

Some codes belong to no row. 101: the line file does not exist. 102: no
field holds "[generale]" in the line file (an empty file included); a train
file without it is no error, but none of its rows is read (an unknown-row
warning says so unless the file is empty) and every cell gets speed 0 and
adhesion 0. 2: a kilometre progressive's start or value is not a multiple of
50 m once ordered (told after the train file is read). 11, 12, 13 and 37:
the finishing pass finds no free cell for a speed cut around a slowdown (see
the slowdowns).
)"[1]},
};

}  // namespace

std::span<const reference_section> format_reference() {
  static const std::vector<reference_section> all = [] {
    std::vector<reference_section> v(std::begin(kIntroduction), std::end(kIntroduction));
    for (const reference_section& s : line_file_sections()) v.push_back(s);
    for (const reference_section& s : train_file_sections()) v.push_back(s);
    v.insert(v.end(), std::begin(kClosing), std::end(kClosing));
    return v;
  }();
  return all;
}

void print_format_reference(std::ostream& out) {
  bool first = true;
  for (const reference_section& s : format_reference()) {
    if (!first) out << '\n';
    first = false;
    out << s.title << "\n\n" << s.text;
  }
}
