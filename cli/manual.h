// The manual pages, made from the command table and the format reference at build time, so the
// help and the manual say the same: scenario-compiler(1) and scenario-compiler-format(5).
#pragma once

#include <iosfwd>
#include <span>

#include "cli/format_reference.h"

void write_command_manual(std::ostream& out);
void write_format_manual(std::ostream& out,
                         std::span<const reference_section> sections = format_reference());
