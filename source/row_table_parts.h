// The row table's two halves, one file's rows each, in row_kind order; row_table.cc joins them.
#pragma once

#include <span>

#include "source/row_table.h"

std::span<const row_spec> line_row_specs();
std::span<const row_spec> train_row_specs();
