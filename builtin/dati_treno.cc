#include "form1/form1.h"
#include "files/file_names.h"
#include "builtin/builtin_scenario.h"

// Writes the train description file from the built-in rows.
void Form1::dati_treno() {
  line_table table = make_line_table(builtin_train_rows());
  write_text_file(train_file_name(route_name, train_number), table);
}
