#include <stdexcept>

#include "app/form1.h"

// Placeholder: replaced by the real procedure when this part of the system is built.
void Form1::dati_linea() { throw std::logic_error("dati_linea is not built yet"); }
