// The sections of the format reference that describe the rows, one section for each kind of
// row (or a few kinds read alike), each file's in the order its reader tests them.
#pragma once

#include <span>

#include "cli/format_reference.h"

std::span<const reference_section> line_file_sections();
std::span<const reference_section> train_file_sections();
