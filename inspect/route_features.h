// What a picture of a compiled route shows, read back from its cells and records: positions in
// metres along the route and values as a driver reads them (km/h, gradient, adhesion).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/route_model.h"

struct station_mark {
  int entry = 0;          // the record entry that holds the station
  std::string name;
  int32_t position = 0;   // the stop position
  int32_t start = 0;
  int32_t end = 0;
  int type = 0;
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
  int value = 0;      // the speed of a warning board, the value of a speed cut (0: none)
  std::string text;   // the text of an indicator board
};

struct route_features {
  double route_length = 0;  // metres, without the run-out
  double grid_length = 0;   // metres covered by the cells
  double axis_end = 0;      // where the profiles end: the route length, or further to show
                            // an object that lies in the run-out
  std::vector<station_mark> stations;
  std::vector<double> signals;  // metres
  std::vector<speed_board_mark> speed_boards;
  std::vector<slowdown_mark> slowdowns;
  std::vector<point_mark> warning_boards;
  std::vector<point_mark> speed_cuts;
  std::vector<point_mark> indicator_boards;
  std::vector<value_run> mountains;  // value: the mountain type
  std::vector<value_run> speed;      // km/h
  std::vector<value_run> gradient;
  std::vector<value_run> adhesion;
};

// Reads the features of a route. Records must hold scenario_record_count entries.
route_features read_route_features(const std::vector<track_cell>& cells,
                                   const std::vector<scenario_record>& records);

// The metre of a point object (board, signal, slowdown point) in cell `cell`: such objects go
// to the cell after the one that holds their position.
inline double point_object_metre(int cell) { return (cell - 1) * 50.0; }
