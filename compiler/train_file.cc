#include <stdexcept>

#include "app/form1.h"

// Placeholder: replaced by the real procedure when this part of the system is built.
void Form1::leggi_treno() { throw std::logic_error("leggi_treno is not built yet"); }
