#include "preview/compiled_picture.h"

#include "binary/binary_decoding.h"
#include "binary/binary_encoding.h"
#include "files/file_names.h"
#include "render/route_picture.h"

std::optional<plan_path> plan_of(const compiled_route& route) {
  if (!route.plan || !route.plan->exists()) return std::nullopt;
  try {
    return plan_path(*route.plan);
  } catch (const decoding_fault&) {
    return std::nullopt;  // a coordinate that is not a number: drawn as a route with no plan
  }
}

std::string draw_compiled_picture(const compiled_route& route,
                                  const std::optional<plan_path>& plan) {
  route_picture_input in;
  in.route_name = route.route_name;
  in.train_number = route.train_number;
  in.plan_file = plan_file_name(route.route_name);
  byte_buffer cells;
  cells.reserve(route.cells->size() * track_cell_size);
  encode_array(cells, *route.cells);
  in.cells = decode_cells(cells.bytes());
  byte_buffer records;
  encode_array(records, *route.records);
  in.records = decode_records(records.bytes());
  in.plan = plan;
  in.rates = route.rates;
  return draw_route_picture(in);
}
