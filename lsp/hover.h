// Hover: what the field under the cursor is, in the row table's words, and for a place along
// the route its cell and kilometre mark; on a keyword, what the row does.
#pragma once

#include <nlohmann/json.hpp>

#include "inspect/kilometre_marks.h"
#include "lsp/source_view.h"

// The hover at the protocol's line and column, or null where no row's field stands.
nlohmann::json hover_at(const source_view& view, int line, int column,
                        const kilometre_marks& marks);
