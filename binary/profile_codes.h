// The values every cell carries along the route, coded into its bytes and read back: the speed
// limit in steps of 5 km/h, the gradient plus 100, the adhesion as it is. Each byte keeps the
// low 8 bits of its code; the compiler refuses a speed whose code does not fit.
#pragma once

#include <cstdint>

#include "model/rounding.h"

// The speed's code before it is narrowed to its byte: a fifth, rounded to the nearest.
inline int64_t speed_code_of(int32_t kmh) { return round_even(kmh / 5.0); }
inline int speed_of_code(uint8_t code) { return code * 5; }

inline uint8_t gradient_code_of(int32_t gradient) {
  return static_cast<uint8_t>(static_cast<int64_t>(gradient) + 100);
}
inline int gradient_of_code(uint8_t code) { return code - 100; }

inline uint8_t adhesion_code_of(int32_t adhesion) { return static_cast<uint8_t>(adhesion); }
inline int adhesion_of_code(uint8_t code) { return code; }
