// The train file's rows.
#include "source/row_table_parts.h"

namespace {

constexpr row_keyword kBrakedMassTests[] = {row_keyword::braked_mass};
constexpr field_spec kBrakedMass[] = {
    {"braked mass", false, "per cent", "32-bit", "the train's braked mass"},
};

constexpr row_keyword kCarsTests[] = {row_keyword::cars};
constexpr field_spec kCars[] = {
    {"car count", false, "-", "32-bit", "the number of the train's cars"},
};

constexpr row_keyword kSpeedTests[] = {row_keyword::speed};
constexpr field_spec kSpeed[] = {
    {"position", false, "m", "32-bit", "where the speed limit starts"},
    {"speed", false, "km/h", "0 to 1277; stored in steps of 5 km/h",
     "the speed limit from the position on, up to the next speed row"},
};

constexpr row_keyword kAdhesionTests[] = {row_keyword::adhesion};
constexpr field_spec kAdhesion[] = {
    {"position", false, "m", "32-bit", "where the adhesion starts"},
    {"adhesion", false, "-", "0 to 100 in practice; the cell keeps the low 8 bits",
     "the grip of the rail from the position on, up to the next adhesion row"},
};

constexpr row_keyword kClockTests[] = {row_keyword::clock};
constexpr field_spec kClock[] = {
    {"hours", false, "h", "16-bit", "the hours of the simulator's time of day at the start"},
    {"minutes", false, "min", "16-bit", "the minutes of the simulator's time of day at the start"},
    {"seconds", false, "s", "16-bit", "the seconds of the simulator's time of day at the start"},
};

constexpr row_keyword kSandTests[] = {row_keyword::sand};
constexpr field_spec kSand[] = {
    {"sand", false, "-", "16-bit", "the train's sand"},
};

constexpr row_keyword kSignalTests[] = {row_keyword::signal};
constexpr field_spec kSignal[] = {
    {"position", false, "m", "32-bit; at least 350", "where the signal stands"},
    {"left code", false, "-",
     "side code; 3 x left code + right code from 0 to 25 (2 in the built-in scenario)",
     "the first side code; 2 keeps the time code"},
    {"left value 1", false, "-", "tens digit of aspect value 1",
     "the tens digit of aspect value 1"},
    {"left value 2", false, "-", "tens digit of aspect value 2",
     "the tens digit of aspect value 2"},
    {"left value 3", false, "-", "tens digit of aspect value 3",
     "the tens digit of aspect value 3"},
    {"side tens", false, "-", "tens digit of the side value", "the tens digit of the side value"},
    {"right code", false, "-", "side code (0, 1 or 2 in the built-in scenario)",
     "the second side code"},
    {"right value 1", false, "-", "units digit of aspect value 1",
     "the units digit of aspect value 1"},
    {"right value 2", false, "-", "units digit of aspect value 2",
     "the units digit of aspect value 2"},
    {"right value 3", false, "-", "units digit of aspect value 3",
     "the units digit of aspect value 3"},
    {"time code", false, "-", "kept when the left code is 2; 1 to 100 are kept as 101",
     "a time kept in the signal's cell when the left code is 2"},
};

constexpr row_keyword kSlowdownTests[] = {row_keyword::slowdown};
constexpr field_spec kSlowdown[] = {
    {"start", false, "m", "32-bit", "where the slowdown starts"},
    {"speed", false, "km/h", "32-bit; the cells keep its low 16 bits",
     "the speed to run the slowdown at"},
    {"length", false, "m", "32-bit", "how far the slowdown runs from its start"},
    {"start and end code", false, "-", "32-bit; the cells keep its low 16 bits",
     "the code of the slowdown's start and end cells"},
    {"approach", false, "-", "not 0: four approach cells before the board",
     "not 0: the four cells before the warning board become approach cells"},
    {"value 2 code", false, "-", "as the code above; 0: none",
     "a code for all three cells of the slowdown; 0: none"},
};

constexpr row_keyword kSpeedCutTests[] = {row_keyword::speed_cut};
constexpr field_spec kSpeedCut[] = {
    {"position", false, "m", "32-bit; 0 or more", "where the train's speed is cut"},
    {"value", false, "-", "up to 32767; 0 or below: a cut without a value",
     "the cut's value; 0 or below: a cut without a value"},
};

constexpr row_keyword kStationTests[] = {row_keyword::station};
constexpr const char* kScheduled = "the scheduled time; 0, 0, 0 where the train passes";
constexpr field_spec kStation[] = {
    {"position", false, "m", "32-bit; a multiple of 50", "where the station stands"},
    {"type", false, "-", "0 to 255; sets the extent (below)",
     "the kind of place; sets the station's extent and the cells it marks"},
    {"length", false, "m", "32-bit; a multiple of 100", "the station's length"},
    {"flag 1", false, "-", "0 to 255", "kept as it is for the simulator"},
    {"flag 2", false, "-", "0 to 255; cleared below 600 m and at the first station",
     "kept for the simulator; cleared below 600 m and at the first station"},
    {"end extension", false, "-",
     "0 to 255; not 0: 50 m more at the far end (types other than 5 to 8)",
     "not 0: the station ends 50 m further on"},
    {"value a1", false, "-", "16-bit", "kept as it is for the simulator"},
    {"value a2", false, "-", "16-bit", "kept as it is for the simulator"},
    {"value a3", false, "-", "0 to 255", "kept as it is for the simulator"},
    {"value b1", false, "-", "16-bit", "kept as it is for the simulator"},
    {"value b2", false, "-", "16-bit", "kept as it is for the simulator"},
    {"value b3", false, "-", "16-bit", "kept as it is for the simulator"},
    {"stop value", false, "-",
     "0 to 255; in the built-in scenario 60 at a one-minute stop, 1 at the first station, 0 "
     "at the last and where the train passes",
     "seconds the train stands there, for the timetable; kept for the simulator"},
    {"hours", false, "h", kScheduled, "the hours of the scheduled time, the departure"},
    {"minutes", false, "min", kScheduled, "the minutes of the scheduled time"},
    {"seconds", false, "s", kScheduled, "the seconds of the scheduled time"},
    {"name", true, "-", "to the comma or line end; at most 65535 bytes", "the station's name"},
};

constexpr row_spec kRows[] = {
    {row_kind::braked_mass, "braked mass", "percentuale massa frenata", kBrakedMassTests,
     kBrakedMass,
     "gives the train's braked mass"},
    {row_kind::cars, "cars", "numero vetture", kCarsTests, kCars,
     "gives the number of the train's cars"},
    {row_kind::speed, "speed limit", "velocita", kSpeedTests, kSpeed,
     "sets the speed limit from a point on, up to the next speed row"},
    {row_kind::adhesion, "adhesion", "aderenza", kAdhesionTests, kAdhesion,
     "sets the rail's adhesion from a point on, up to the next adhesion row"},
    {row_kind::clock, "clock", "orologio", kClockTests, kClock,
     "sets the simulator's time of day at the start"},
    {row_kind::sand, "sand", "sabbia", kSandTests, kSand,
     "gives the train's sand"},
    {row_kind::signal, "signal", "segnale", kSignalTests, kSignal,
     "puts a signal at a point, with its aspects and side codes"},
    {row_kind::slowdown, "slowdown", "rallentamento", kSlowdownTests, kSlowdown,
     "puts a slowdown over a stretch, with its warning board before it"},
    {row_kind::speed_cut, "speed cut", "abbattimento", kSpeedCutTests, kSpeedCut,
     "cuts the train's speed at a point"},
    {row_kind::station, "station", "stazione", kStationTests, kStation,
     "puts a station: its extent, its stop cell and its time in the timetable"},
};

}  // namespace

std::span<const row_spec> train_row_specs() { return kRows; }
