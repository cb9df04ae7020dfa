#include "app/form1.h"

#include <iostream>

#include "app/console.h"
#include "files/file_names.h"
#include "scenario/builtin_scenario.h"

Form1::Form1() {
  program_folder = executable_folder();
  console = &std::cerr;
}

void Form1::Form_Load() {
  route_name = builtin_route_name;
  train_number = builtin_train_number;
  show_window(*console);
  dati_linea();
  dati_treno();
  dati_note();
  dati_rallentamenti();
  dati_scheda();
  memorizza_percorso(plan_argument);
}

void Form1::errore(const std::string& a) { message_box(*console, " Errore n. " + a); }

std::string Form1::shown_name(const std::string& file_name) const {
  auto it = source_names.find(file_name);
  return it == source_names.end() ? file_name : it->second;
}

void Form1::record_fault(const diagnostic& fault) {
  error_code = fault.code;
  if (fault.position) error_position = *fault.position;
  ++faults_reported;
  print_diagnostic(*console, fault);
}
