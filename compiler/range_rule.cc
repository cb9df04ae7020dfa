#include "app/form1.h"

// The comparison is made in real arithmetic, so a position need not be a multiple of 50.
bool Form1::within_grid(int32_t position, int32_t margin) const {
  return last_cell_index >= (static_cast<double>(position) + margin) / 50.0;
}
