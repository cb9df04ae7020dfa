#include <stdexcept>

#include "app/form1.h"

// Placeholder: replaced by the real procedure when this part of the system is built.
void Form1::memorizza_percorso(int32_t) { throw std::logic_error("memorizza_percorso is not built yet"); }
