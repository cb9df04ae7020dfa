// The timetable as the `timetable` command prints it: a table of the timed stations with each
// leg's figures and how tight the timetable is, or the same figures as JSON (times in seconds,
// distances in metres).
#pragma once

#include <iosfwd>
#include <string>

#include "timetable/timetable.h"

void print_timetable(std::ostream& out, const timetable& t, const std::string& title);

// {"route", "train", the rates, "stations": [...], "legs": [{"from", "to", "distance_m",
// "scheduled_s", "line_speed_s", "modelled_s", "slack_s", ...}]}; a figure that does not exist
// (no train gets through) is null.
std::string timetable_json(const timetable& t, const std::string& route, const std::string& train);

// One line on how tight the timetable is: the legs late under the model or beyond the line
// speed, else the least slack and where.
std::string tightness_words(const timetable& t);
