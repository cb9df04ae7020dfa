// A route's features in the author's words, one function a feature, for every view that shows
// them (inspect's text, a picture's tooltips): positions in metres and kilometres, speeds in
// km/h, stations by name.
#pragma once

#include <string>

#include "inspect/kilometre_marks.h"
#include "inspect/plan_reading.h"
#include "inspect/route_features.h"

// "12350 m (km 12.350)": the metre along the route and the line's kilometre mark there.
std::string metres_text(const kilometre_marks& marks, double metre);
// "12350 m (km 12.350): WHAT", a thing at its place along the route
std::string located(const kilometre_marks& marks, double metre, const std::string& what);
// "1200 m to 1750 m (km 1.200 to 1.750)"
std::string stretch_text(const kilometre_marks& marks, double from, double to);
// A name or board text in double quotes; quotes, backslashes and control characters escaped
// so that what the file holds shows ("A\tB" for a tab).
std::string quoted(const std::string& text);
// "8:25:00" from seconds since midnight
std::string time_of_day(int32_t seconds);

// station 3 "MORLENO" at 6000 m (km 6.000), from 5700 m to 6300 m, stop cell 6250 m to
// 6300 m, type 2, due 8:32:00: the position is the row's, the stop cell where the train stops.
std::string describe_station(const kilometre_marks& marks, const station_mark& s);
// "stop cell of station 3 "MORLENO", its last 50 m": `name` is the station's name where the
// records are at hand, empty otherwise.
std::string describe_stop_point(const point_mark& p, const std::string& name);
std::string describe_signal(const signal_mark& s);
std::string describe_speed_board(const speed_board_mark& b);
std::string describe_slowdown_start(const slowdown_mark& s);
std::string describe_slowdown_end(const slowdown_mark& s);
std::string describe_warning_board(const point_mark& w);
std::string describe_speed_cut(const point_mark& c);
std::string describe_indicator_board(const point_mark& b);
std::string describe_unknown_object(const point_mark& o);
std::string describe_mountain(const value_run& m);
std::string describe_speed(const value_run& r);
std::string describe_gradient(const value_run& r);
std::string describe_adhesion(const value_run& r);
std::string describe_curve(const kilometre_marks& marks, const curve_mark& c);
std::string describe_progressive(const progressive_mark& p);
