#include <stdexcept>

#include "app/form1.h"

// Placeholder: replaced by the real procedures when this part of the system is built.
void Form1::dati_note() { throw std::logic_error("dati_note is not built yet"); }
void Form1::dati_rallentamenti() { throw std::logic_error("dati_rallentamenti is not built yet"); }
void Form1::dati_scheda() { throw std::logic_error("dati_scheda is not built yet"); }
