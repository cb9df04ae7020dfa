// Values computed from a row that must fit the field that stores them. Where the stored field
// keeps only the low bits of a value, the caller truncates instead and never comes here.
#include <string>

#include "form1/form1.h"

int16_t Form1::fit_int16(int64_t value, const std::string& what) const {
  if (value < INT16_MIN || value > INT16_MAX)
    row_fault(what + " " + std::to_string(value) + " does not fit a 16-bit field (-32768 to 32767)");
  return static_cast<int16_t>(value);
}

uint8_t Form1::fit_uint8(int64_t value, const std::string& what) const {
  if (value < 0 || value > 255)
    row_fault(what + " " + std::to_string(value) + " does not fit an 8-bit field (0 to 255)");
  return static_cast<uint8_t>(value);
}

int32_t Form1::fit_int32(int64_t value, const std::string& what) const {
  if (value < INT32_MIN || value > INT32_MAX)
    row_fault(what + " " + std::to_string(value) + " does not fit a 32-bit field");
  return static_cast<int32_t>(value);
}
