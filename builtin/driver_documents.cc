#include "form1/form1.h"
#include "builtin/document_lines.h"
#include "files/file_names.h"

// Each document is a fixed text written whole under its own name.

void Form1::dati_note() {
  write_text_file(notes_file_name(route_name, train_number), make_line_table(notes_lines()));
}

void Form1::dati_rallentamenti() {
  write_text_file(slowdowns_file_name(route_name, train_number),
                  make_line_table(slowdowns_lines()));
}

void Form1::dati_scheda() {
  write_text_file(timetable_file_name(route_name, train_number),
                  make_line_table(timetable_lines()));
}
