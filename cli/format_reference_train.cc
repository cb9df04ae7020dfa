// The train file's rows in the format reference.
#include "cli/format_reference_rows.h"

#include <iterator>
#include <vector>

namespace {

// Each text is a raw literal that starts on the line after its opening quote: &R"(...)"[1]
// skips that first line end.
const reference_section kTrainOverview[] = {
    {"THE TRAIN FILE", &R"(
The train file starts with "[generale]"; nothing before it is read, and a
train file without it has none of its rows read. Its rows may stand in any
section, or none: the built-in file groups them under "[aderenze]",
"[vel_limite]", "[stazioni]", "[rallentamenti]" and "[segnali]", which only
help the reader. Every keyword is tested in any letter case.

  keyword                     row               fields
  percentuale massa frenata   braked mass       1
  numero vetture              cars              1
  velocita                    speed limit       2
  aderenza                    adhesion          2
  orologio                    clock             3
  sabbia                      sand              1
  segnale                     signal            11
  rallentamento               slowdown          6
  abbattimento                speed cut         2
  stazione                    station           17

When the file has been read, the last speed limit and adhesion run on to the
fourth cell from the grid's end; the last three cells keep speed 0 and
adhesion 0.
)"[1]},
};

// The sections of the row kinds; each table of fields is printed from the row table.
const row_section kRowSections[] = {
    {"TRAIN FILE: CARS, BRAKED MASS, SAND AND CLOCK", &R"(
Four rows give the train's general data. A field holding "vetture", in any
letter case, starts the car count row, "numero vetture"; one holding
"frenata" and "massa" the braked mass row, "percentuale massa frenata";
"sabbia" the sand row; "orologio" the clock row.
)"[1],
     {row_kind::cars, row_kind::braked_mass, row_kind::sand, row_kind::clock}, &R"(
The compiler stores them in the records: the braked mass and the car count
in the route's record (entry 84, beside the route length), the sand and the
clock (the simulator's time of day at the start) in the train number's
record (entry 86).

  Example:
    numero vetture,    8
    percentuale massa frenata,    120
    sabbia,    300
    orologio,    8               24            15

Errors: 25 only (a number that cannot be read or does not fit).
)"[1]},
    {"TRAIN FILE: SPEED LIMITS", &R"(
A field holding "velocit", in any letter case, starts a speed limit row:
"velocita", "velocita'" and the accented spelling all do.
)"[1],
     {row_kind::speed}, &R"(
The limit applies from the cell round(position / 50) up to the cell before
the next speed row's. Each cell holds the speed / 5, rounded to the nearest
whole number (halves to the even one), so 92 km/h is kept as 90. Cells
before the first row get speed 0: let the first row stand at 0 m. Rows must
come in ascending order: a row at or behind the previous one still writes
one cell of the previous speed.

A row that does not come after the previous one leaves the previous speed
one cell at most (none at 0 m): an overwrite warning at the later row tells
it, with a note at the earlier.

  Example:
    velocita,    1200,    95
    velocita,   10000,   150

Errors: 15 when the position lies beyond the grid (it ends the reading of
the train file); 25 when the speed / 5 falls outside 0 to 255. Warnings:
row-order, off-grid, run-out, range (below 0 or above 300 km/h).
)"[1]},
    {"TRAIN FILE: ADHESION", &R"(
A field holding "aderenza", in any letter case, starts an adhesion row: the
grip of the rail along the route.
)"[1],
     {row_kind::adhesion}, &R"(
The adhesion applies from the cell round(position / 50) up to the cell
before the next adhesion row's, as a speed limit does. Cells before the
first row get 0: let the first row stand at 0 m. Rows must come in
ascending order.

A row that does not come after the previous one leaves the previous
adhesion one cell at most (none at 0 m): an overwrite warning at the later
row tells it, with a note at the earlier.

  Example:
    aderenza,   0,    100
    aderenza,   33600,    95

Errors: 15 when the position lies beyond the grid (it ends the reading of
the train file). Warnings: row-order, off-grid, run-out, range (below 0 or
above 100).
)"[1]},
    {"TRAIN FILE: STATIONS", &R"(
A field holding "stazione", in any letter case, starts a station row: a
place where the timetable matters, a station where the train stops or
passes, a junction, or a second entry for a place already listed.
)"[1],
     {row_kind::station}, &R"(
Each station takes the next record entry from 1 up, in file order, holding
its fields, its extent and its scheduled time in seconds from midnight; the
values a1 to b3, the flags and the stop value are kept as they are for the
simulator. The type sets the extent along the route and what the cells get:

  type          starts at            ends at              cells marked
  5, 6          position - length    position + 150       stop cell
  7, 8          position - length    position + length    stop cell, markers
  other < 25    position - length/2  position + length/2  stop cell, markers
  25 and above  position - length/2  position + length/2  none

An end extension other than 0 adds 50 m to the end of the last two kinds.

The stop cell is where the train stops: the last cell inside the station,
cell round(end / 50) - 1, from end - 50 m to the end. It becomes the
station's stop point, whatever it held, a signal included. The four cells
before it get the station's approach markers. The position is the row's,
the middle or the reference point of the extent; the train does not stop
there. inspect, render and serve name both: "at POSITION" and "stop cell
FROM to TO", and list the stop cell where it starts.

What gives way: the stop point takes its cell from whatever another row
placed there, a speed board, an indicator board (its text stays in the
records), a signal listed before the station, a slowdown's cell or a speed
cut, and that object is lost. The station's markers replace another row's
markers in their cells, and a signal listed later replaces the station's.
An overwrite warning at the row that takes tells each loss, with a note at
the row that loses.

  Example:
    stazione,    0, 8, 800, 1,0,0, 4,1,0, 2,1,1,  1, 8,25,0, ZENVRO CENTRALE
    stazione, 6000, 2, 600, 0,1,0, 2,1,0, 2,1,1, 60, 8,32,0, MORLENO

Errors: 15 when the position lies less than 800 m before the grid's end (it
ends the reading of the train file); 8 when the position is not a multiple
of 50 m; 9 when the length is not a multiple of 100 m; 22 when the station
starts less than 350 m after the previous one ends; 24 when its stop cell
would fall at or before cell 1; 34 when its end lies beyond the grid; 10
when the record table has no room left (78 stations, less one for each
indicator board); 36 when the name is longer than 65535 bytes; 25 when the
scheduled time does not fit 32 bits. Warnings: text-field (a comma or
quotes in the name), run-out, range (shorter than 100 m or longer than
1500 m), timetable-order, timetable, timetable-model (see THE TIMETABLE AND
RUNNING TIME).
)"[1]},
    {"TRAIN FILE: SIGNALS", &R"(
A field holding "segnale", in any letter case, starts a signal row. Its
values are digits and codes that the simulator reads from the signal's cell:
three aspect values, each a tens digit on the left and a units digit on the
right, a side value and a time code.
)"[1],
     {row_kind::signal}, &R"(
The signal goes into the cell round(position / 50 + 1). The cell holds
aspect value n = left value n x 10 + right value n (16-bit), the side value
side tens x 10 + 3 x left code + right code, and the time code (its low 8
bits) when the left code is 2, else 0. The cells 2, 4, 6 and 8 before the
signal's get its approach markers, (3 x left code + right code) x 10 + 1 to
4: 61 to 64 for the codes 2 and 0.

A signal's markers replace another row's markers in their cells, a
station's included, and a station listed later replaces the signal's in its
four cells. A station listed later whose stop cell is the signal's takes
the cell, and the signal is lost (a signal listed after the station finds
its cell taken: error 16). An overwrite warning at the row that takes tells
each loss.

  Example:
    segnale,    1750,   2, 5, 6,  1, 0,    0,  0,0,0, 0
    segnale,    6650,   2, 4, 1,  0, 0,    2,  1,1,0, 120

The first example gives cell 36 the aspect values 50, 60 and 10 and the side
value 6, and markers 61 to 64 to cells 34, 32, 30 and 28.

Errors, each ending the compilation but 15: 16 when the cell is taken (a
station's stop point, a board, a slowdown or speed cut, another signal); 33
when the position is below 350 m; 15 when it lies beyond the grid; 25 when
a value leaves 16 bits or a marker leaves 0 to 255. Warnings: off-grid,
run-out.
)"[1]},
    {"TRAIN FILE: SLOWDOWNS", &R"(
A field holding "rallentamento", in any letter case, starts a slowdown row:
a stretch to be run at a lower speed, announced by a warning board 1200 m
before its start.
)"[1],
     {row_kind::slowdown}, &R"(
The compiler marks three cells: the start round(start / 50 + 1), the end
round((start + length) / 50 + 1) and, when the start lies beyond 1500 m, the
warning board round((start - 1200) / 50 + 1). Each holds the speed; the
start and end hold the start and end code; a value 2 code other than 0 goes
into all three. With an approach other than 0 (and a start beyond 1500 m)
the four cells before the board become approach cells, counting 1 to 4 away
from it.

After the files are read, a finishing pass adds speed cuts of 180 around
each slowdown: before every signal in the 20 cells before its warning board,
and in three windows 5 to 7, 11 to 13 and 18 to 20 cells before its start.
A slowdown below 110 km/h also gets one every 8 cells along it, and one just
before the first signal in the 12 cells after its end.

A station listed later whose stop cell is one of the slowdown's cells takes
that cell, and the slowdown's part there is lost: an overwrite warning at
the station's row tells it.

  Example:
    rallentamento,   45000,    60,   1000,   0,   1,   0

Errors: 17, 18 or 19 when the warning board's, the start's or the end's cell
is taken; 20 when one of the approach cells is taken (the other cells stay
written); 32 when the start or the end lies before 0 m; 35 when the end lies
beyond the grid; 15 when the start lies beyond the grid (it ends the reading
of the train file). The finishing pass records 11 when a signal before the
board has no free cell for its speed cut, 12 when a window has no free
cell, 13 when a cut along or after the slowdown finds none, and 37 when its
walk along the slowdown reaches the grid's last cell. Warnings: off-grid
(start or length), run-out, range (speed below 0 or above 300 km/h).
)"[1]},
    {"TRAIN FILE: SPEED CUTS", &R"(
A field holding "abbattimento", in any letter case, starts a speed cut row: a
point where the train's speed is cut, with or without a value.
)"[1],
     {row_kind::speed_cut}, &R"(
The cut lies in the cell round(position / 50), the cell that starts at the
position, not the one after as for signals and boards.

A station listed later whose stop cell is the cut's takes the cell, and the
cut is lost: an overwrite warning at the station's row tells it.

  Example:
    abbattimento,   20000,   100

Errors: 7 when the cell is taken; 32 when the position is below 0 m; 15 when
it lies beyond the grid (it ends the reading of the train file); 25 when the
value is above 32767. Warnings: off-grid, run-out.
)"[1]},
};

// After the rows: what the stations' times and stop values mean to the timetable's checks.
const reference_section kTimetable[] = {
    {"THE TIMETABLE AND RUNNING TIME", &R"(
A station whose row gives a scheduled time is timed; a time of 0, 0, 0 means
none, and the train passes that station at speed whatever its stop value.
The scheduled time is the departure: the train stands at the station for its
stop value in seconds, so it must arrive that much earlier. A timed station
with a stop value of 0 is passed at its time without stopping. The train
stands at the first timed station, whose time starts the run, and ends the
run at the last. A station's place is where the train's head stops: the far
end of its stop cell, its end (a station of type 25 or above has no stop
cell: its position).

A leg runs from one timed station to the next. The time the timetable gives
it is the later station's time, less the earlier's, less the later's stop
value. check, compile and serve hold each leg to two figures, worked out from
the compiled route: each cell's speed limit, lowered to each slowdown's speed
from its start to its end, and the stops.

  line-speed bound  the time at each metre's limit, with no time lost to
                    speed up or slow down: no train can beat it
  modelled run      a train that speeds up and brakes at constant rates,
                    starts and ends at rest at each stop, and is never above
                    the limit at any metre: it is down to a lower limit where
                    that limit starts, braking before it, and speeds up only
                    from where a higher one starts. The train is taken as its
                    head; gradients and curves do not change the rates

Each leg starts on time, so the slack of one (the time it is given less the
modelled run) does not carry to the next. The rates: an acceleration of 0.3
m/s^2 (a locomotive-hauled passenger train's mean rate up to line speed),
and a braking rate from the braked-mass percentage (the "percentuale massa
frenata" row, 1 to 250) by the Minden formula for passenger trains on level
track: from v km/h the train stops within 3.85 v^2 / (6.1 (1 + B/10)) m at B
per cent, a constant rate of 0.0611 (1 + B/10) m/s^2, 0.79 m/s^2 for the
built-in 120 %; without a braked mass in that range, 0.5 m/s^2. The options
--acceleration and --deceleration (m/s^2, above 0 and at most 10) of check,
compile, serve, render and timetable give others.

Warnings, at the later station's scheduled time, with a note at the earlier
station's: timetable-order (a time not after the timed station's before it),
timetable (a time that even the line-speed bound cannot meet, or a limit of
0 km/h on the way) and timetable-model (the modelled run arrives late; off
unless asked for with -Wtimetable-model). A compile with errors tells none.
"scenario-compiler timetable" prints every leg's figures; render and serve
draw them.
)"[1]},
};

}  // namespace

std::span<const row_section> train_row_sections() { return kRowSections; }

std::span<const reference_section> train_file_sections() {
  static const std::vector<reference_section> sections = [] {
    std::vector<reference_section> v(std::begin(kTrainOverview), std::end(kTrainOverview));
    for (const reference_section& s : with_field_tables(train_row_sections())) v.push_back(s);
    v.insert(v.end(), std::begin(kTimetable), std::end(kTimetable));
    return v;
  }();
  return sections;
}

