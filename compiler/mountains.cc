// Mountain rows: the covered cells get the mountain's type, and every fourth cell a marker
// when the type asks for markers.
#include "form1/form1.h"
#include "model/grid.h"

namespace {

constexpr int32_t kMostMountains = 80;  // entry 0 of the mountain tables is never used

}  // namespace

Form1::row_outcome Form1::read_mountain_row() {
  const mountain_row row = read_mountain_fields();
  const int32_t a = row.inizio, b = row.fine;
  if (!row_fits_grid(a)) return row_outcome::end_of_reading;
  // Refused rows end the main phase as a row beyond the grid does.
  int32_t refused = 0;
  if (first_mountain_cell(a) < 0)
    refused = 26;
  else if (last_mountain_cell(b) > last_cell_index)
    refused = 27;
  else if (mountain_count >= kMostMountains)
    refused = 28;
  if (refused != 0) {
    // The end is the row's second field; the other refusals are the start's.
    record_fault(field_diagnostic(refused == 27 ? 1 : 0, refused, a));
    return row_outcome::end_of_reading;
  }
  memo_montagna(row);
  return row_outcome::next_row;
}

mountain_row Form1::read_mountain_fields() {
  mountain_row r;
  read_field(r.inizio);
  read_field(r.fine);
  read_field(r.tipo);
  return r;
}

void Form1::memo_montagna(const mountain_row& row) {
  const auto [inizio, fine, read_tipo] = row;
  const bool markers = read_tipo > 10;
  int32_t tipo = markers ? read_tipo - 10 : read_tipo;
  if (mountain_count >= kMostMountains) row_fault("more than 80 mountains");
  ++mountain_count;
  mountain_ends[static_cast<size_t>(mountain_count)] = fine;
  if (mountain_count > 1 &&
      starts_close_after(static_cast<int64_t>(inizio) -
                         mountain_ends[static_cast<size_t>(mountain_count - 1)]))
    tipo = kCloseMountainType;

  const int64_t last = last_mountain_cell(fine);
  int32_t n = 1;
  for (int64_t c = first_mountain_cell(inizio); c <= last; ++c, ++n) {
    track_cell& cell = grid_cell(c);
    cell.mountain_type = static_cast<uint8_t>(tipo);
    if (markers && n % 4 == 0 && cell.kind == kind_empty) cell.kind = kind_mountain_marker;
  }
}
