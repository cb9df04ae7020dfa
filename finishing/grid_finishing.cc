// The finishing pass: speed cuts of value 180 before the signals ahead of a slowdown's warning
// board, in three windows before its start, every 8 cells inside a slow slowdown and just
// before the first signal after it. A rule that finds no room records its code and the pass
// goes on.
#include "form1/form1.h"

namespace {

constexpr int16_t kCutValue = 180;
constexpr int16_t kFastSlowdown = 110;  // from this speed on a slowdown gets no inner markers

}  // namespace

void Form1::metti_abbattimento(int32_t c) {
  grid_cell(c).kind = kind_speed_cut_value;
  grid_cell(c).value_1 = kCutValue;
}

void Form1::rifinisci_griglia() {
  // The highest index is taken once; cells 0 and the last two are never looked at.
  const int32_t last = static_cast<int32_t>(track_cells.size()) - 1;
  for (int32_t i = 1; i <= last - 2; ++i) {
    if (grid_cell(i).kind == kind_warning_board) {
      guardia_segnali(i);
    } else if (grid_cell(i).kind == kind_slowdown_start) {
      finestre_avvicinamento(i);
      // A fast slowdown has no walk, so its end cell is unknown and it gets no exit marker.
      if (grid_cell(i).value_1 < kFastSlowdown) {
        int32_t e = marcatori_periodici(i);
        if (e >= 0) marcatore_uscita(e);
      }
    }
  }
}

// Every signal within 20 cells before the board (down to cell 3) gets a speed cut one or two
// cells before it; a free cell is preferred to lowering a cut that stands there already.
void Form1::guardia_segnali(int32_t i) {
  for (int32_t d = 1; d <= 20 && i - d >= 3; ++d) {
    const int32_t c = i - d;
    if (grid_cell(c).kind != kind_signal) continue;
    track_cell& one = grid_cell(c - 1);
    track_cell& two = grid_cell(c - 2);
    if (cell_is_free(one)) {
      metti_abbattimento(c - 1);
    } else if (cell_is_free(two)) {
      metti_abbattimento(c - 2);
    } else if (one.kind == kind_speed_cut_value) {
      one.value_1 = static_cast<int16_t>(minimo(kCutValue, one.value_1));
    } else if (two.kind == kind_speed_cut_value) {
      two.value_1 = static_cast<int16_t>(minimo(kCutValue, two.value_1));
    } else {
      record_fault(fault_at({}, 11, c * 50));
    }
  }
}

// Three windows before the start, each with its own first free cell; a cut already standing in
// a window does not satisfy it.
void Form1::finestre_avvicinamento(int32_t i) {
  struct window {
    int32_t applies_above;
    int32_t nearest;  // cells tried: i - nearest, i - nearest - 1, i - nearest - 2
  };
  for (window w : {window{7, 5}, window{13, 11}, window{20, 18}}) {
    if (i <= w.applies_above) continue;
    bool placed = false;
    for (int32_t c = i - w.nearest; c >= i - w.nearest - 2 && !placed; --c) {
      if (cell_is_free(grid_cell(c))) {
        metti_abbattimento(c);
        placed = true;
      }
    }
    if (!placed) {
      record_fault(fault_at({}, 12, i * 50));
    }
  }
}

// Walks from the start to the first slowdown end after it, placing a cut every 8 cells (at k, or
// at k - 1 or k + 1 when k is taken); the count restarts from where the last cut went. After a
// cell with no room the count runs on past 8 and no further cut is placed. The walk never looks
// past the grid's last cell.
int32_t Form1::marcatori_periodici(int32_t i) {
  const int32_t last = static_cast<int32_t>(track_cells.size()) - 1;
  int32_t steps = 0;
  int32_t k = i;
  for (;;) {
    if (k >= last) {
      record_fault(fault_at({}, 37, i * 50));
      return -1;
    }
    ++k;
    ++steps;
    if (steps == 8) {
      if (cell_is_free(grid_cell(k))) {
        metti_abbattimento(k);
        steps = 0;
      } else if (cell_is_free(grid_cell(k - 1))) {
        metti_abbattimento(k - 1);
        steps = 1;
      } else if (k + 1 <= last && cell_is_free(grid_cell(k + 1))) {
        metti_abbattimento(k + 1);
        steps = -1;
      } else {
        record_fault(fault_at({}, 13, k * 50));
      }
    }
    if (grid_cell(k).kind == kind_slowdown_end) return k;
  }
}

// A cut just before the first signal within 12 cells from the end cell (or one cell earlier).
// The scan stops at the grid's last cell; when it would have gone further without finding a
// signal, code 37 says that the exit marker may be missing.
void Form1::marcatore_uscita(int32_t e) {
  const int32_t last = static_cast<int32_t>(track_cells.size()) - 1;
  int32_t p = 0;
  for (int32_t s = e; s <= e + 12; ++s) {
    if (s > last) {
      record_fault(fault_at({}, 37, e * 50));
      return;
    }
    if (grid_cell(s).kind == kind_signal) {
      p = s - 1;
      break;
    }
  }
  if (p <= 0) return;
  if (cell_is_free(grid_cell(p))) {
    metti_abbattimento(p);
  } else if (cell_is_free(grid_cell(p - 1))) {
    metti_abbattimento(p - 1);
  } else {
    record_fault(fault_at({}, 13, e * 50));
  }
}
