// What a picture of a compiled route shows, read back from its cells and records: positions in
// metres along the route and values as a driver reads them (km/h, gradient, adhesion).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "inspect/kilometre_marks.h"
#include "model/route_model.h"

struct station_mark {
  int entry = 0;          // the record entry that holds the station
  std::string name;
  int32_t position = 0;   // the station's position, as its row gives it
  int32_t start = 0;
  int32_t end = 0;
  int type = 0;
  int32_t scheduled = 0;  // seconds since midnight, 0 where the timetable gives none
  int stop_value = 0;
  // The stop cell, the last cell inside the station, where the train stops: from
  // stop_from to stop_from + 50. Stations of type 25 and above have none (has_stop false).
  bool has_stop = false;
  double stop_from = 0;
};

struct signal_mark {
  double metre = 0;
  int aspects[3] = {0, 0, 0};  // tens and units digits of the row's three aspect pairs
  int left_side = 0;           // the row's side codes
  int right_side = 0;
  int rapp = 0;
  int time = 0;                // the time value, 0 where none is kept
};

// A value that holds over a stretch [from, to) of the route, e.g. a speed limit.
struct value_run {
  double from = 0;
  double to = 0;
  int value = 0;
};

struct speed_board_mark {
  double metre = 0;
  int left[3] = {0, 0, 0};   // categories A, B, C of the left-hand board, km/h
  int right[3] = {0, 0, 0};  // the same for the right-hand board, 0 where there is none
  int left_stripes = 0;
  int right_stripes = 0;
};

struct slowdown_mark {
  double start = 0;
  double end = 0;  // equal to start when the grid holds no end after the start
  int speed = 0;
};

struct point_mark {
  double metre = 0;
  int value = 0;      // the speed of a warning board, the value of a speed cut (0: none),
                      // the record entry of an indicator board's text
  std::string text;   // the text of an indicator board
};

struct route_features {
  double route_length = 0;  // metres, without the run-out
  double grid_length = 0;   // metres covered by the cells
  int check_stamp = 0;      // cell 1's stamped values: the fixed one and the check code
  int check_code = 0;
  double axis_end = 0;      // where the profiles end: the route length, or further to show
                            // an object that lies in the run-out
  std::vector<station_mark> stations;
  std::vector<signal_mark> signals;
  std::vector<speed_board_mark> speed_boards;
  std::vector<slowdown_mark> slowdowns;
  std::vector<point_mark> warning_boards;
  std::vector<point_mark> speed_cuts;
  std::vector<point_mark> indicator_boards;
  std::vector<point_mark> stop_points;  // value: the station entry; metre: where the cell starts
  std::vector<point_mark> unknown_objects;  // value: a kind no row makes
  std::vector<value_run> mountains;  // value: the mountain type
  std::vector<value_run> speed;      // km/h
  std::vector<value_run> gradient;
  std::vector<value_run> adhesion;
  kilometre_marks marks;  // from the records' progressives; the route's own count without them
};

// What the record entries above the stations and boards hold.
struct route_data {
  std::string route_name;
  std::string train_number;
  int32_t length = 0;  // without the run-out
  int32_t braked_mass = 0;
  int32_t cars = 0;
  progressive_mark progressives[3];  // greatest start first
  int32_t backgrounds[3] = {0, 0, 0};  // the starts of backgrounds one, two and three
  int32_t repetition_start = 0;
  int32_t repetition_end = 0;
  int32_t repetition_codes = 0;
  int sand = 0;
  int clock[3] = {0, 0, 0};  // hours, minutes, seconds at the start
  int stamp = 0;
  int32_t check_code = 0;
};

// The records alone: stations, the entries that hold board texts, and the route's data.
struct route_records {
  std::vector<station_mark> stations;
  std::vector<std::pair<int, std::string>> board_texts;  // entry and text, from 80 down
  route_data data;
};

// Without the cells, the board texts are the entries from 80 down that hold a text and
// nothing else. Records must hold scenario_record_count entries.
route_records read_route_records(const std::vector<scenario_record>& records);

// Reads the features of a route. Records must hold scenario_record_count entries.
route_features read_route_features(const std::vector<track_cell>& cells,
                                   const std::vector<scenario_record>& records);

// The metre of a point object (board, signal, slowdown point) in cell `cell`: such objects go
// to the cell after the one that holds their position.
inline double point_object_metre(int cell) { return (cell - 1) * 50.0; }
