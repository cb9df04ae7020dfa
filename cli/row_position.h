// Whether a diagnostic's row starts with a metre along the route, as the readers take its
// fields: a signal's or a gradient's position, a slowdown's or a curve's start; not a car
// count or a route length.
#pragma once

#include "cli/source_run.h"
#include "diagnostics/diagnostic.h"

bool row_has_position(const diagnostic& d, const source_run& run);
