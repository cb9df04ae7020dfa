// The last step of the run: compile, finish the grid, stamp the codes, write the binary files.
#include "form1/form1.h"
#include "files/atomic_file.h"
#include "binary/binary_encoding.h"
#include "files/file_names.h"

void Form1::memorizza_percorso(int32_t j) {
  plan_enabled = j;
  error_code = 0;
  for (scenario_record& r : scenario_records) r = scenario_record{};

  memorizza_dati();

  // Without a grid there is nothing to finish or write. Codes 101, 102 and 1 end the compiler
  // before the grid is usable even when an earlier route length row made one. The code was
  // reported when it was recorded, so the run already ends with a fault.
  if (error_code == 101 || error_code == 102 || error_code == 1 || !has_grid()) return;

  rifinisci_griglia();
  timbra_codici();
  if (finished_route_check) finished_route_check(*this);
  scrivi_file_binari();
}

// Four reserved slots must still be empty: 610 and 5121 go into the first two, the check codes
// into the other two. A slot in use ends the run before any binary file is written.
void Form1::timbra_codici() {
  scenario_record& header = scenario_records[route_name_entry];
  track_cell& cell = grid_cell(1);
  if (header.short_1 != 0 || cell.value_1 != 0) errore("1250");
  header.short_1 = 610;
  cell.value_1 = 5121;
  if (header.number_4 != 0 || cell.value_2 != 0) errore("1251");
  header.number_4 = codice_gara_st();
  cell.value_2 = static_cast<int16_t>(codice_gara_og());
}

// The binary files replace the old ones as one set: all are written and synced before the
// first is renamed into place, so a failure midway never leaves a new plan beside old cells.
void Form1::scrivi_file_binari() {
  if (!write_binaries || warnings_made_errors > 0 || (faults_reported > 0 && !write_on_fault))
    return;
  file_set set;
  set.fill([&] {
    if (plan_enabled != 0 && route_plan.exists())
      write_binary_file(set.add(binary_path_of(plan_file_name(route_name))), route_plan);

    byte_buffer records;
    encode_array(records, scenario_records);
    write_binary_file(set.add(binary_path_of(records_file_name(route_name, train_number))),
                      records.bytes());

    byte_buffer cells;
    cells.reserve(track_cells.size() * track_cell_size);
    encode_array(cells, track_cells);
    write_binary_file(set.add(binary_path_of(cells_file_name(route_name, train_number))),
                      cells.bytes());
  });
  set.commit();
  binaries_written = true;
}
