#include "form1/form1.h"
#include "files/file_names.h"
#include "builtin/builtin_scenario.h"

// Writes the line description file from the built-in rows.
void Form1::dati_linea() {
  line_table table = make_line_table(builtin_line_rows());
  write_text_file(line_file_name(route_name), table);
}
