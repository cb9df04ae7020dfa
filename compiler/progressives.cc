#include <stdexcept>

#include "app/form1.h"

// Placeholder: replaced by the real procedures when this part of the system is built.
void Form1::progressive_ordina() { throw std::logic_error("progressive_ordina is not built yet"); }
void Form1::controlla_progressive() { throw std::logic_error("controlla_progressive is not built yet"); }
double Form1::minimo(double x, double y) { throw std::logic_error("minimo is not built yet"); }
