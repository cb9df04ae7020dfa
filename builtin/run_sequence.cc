// The run sequence: the built-in scenario from its source text to the driver's documents and
// the binary files.
#include "form1/form1.h"

#include "form1/console.h"
#include "builtin/builtin_scenario.h"

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
