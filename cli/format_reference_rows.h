// The sections of the format reference that describe the rows, one section for each kind of
// row (or a few kinds read alike), each file's in the order its reader tests them.
#pragma once

#include <span>

#include "cli/format_reference.h"
#include "cli/format_reference_fields.h"

// Each file's sections: its overview, then the sections of its rows.
std::span<const reference_section> line_file_sections();
std::span<const reference_section> train_file_sections();

// The sections of each file's rows as written, their tables of fields not yet in place.
std::span<const row_section> line_row_sections();
std::span<const row_section> train_row_sections();
