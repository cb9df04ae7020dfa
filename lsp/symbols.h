// The outline of a file: its stations by name, signals, slowdowns and boards, each with its
// place along the route.
#pragma once

#include <nlohmann/json.hpp>

#include "inspect/kilometre_marks.h"
#include "lsp/source_view.h"

// The protocol's DocumentSymbol list, in file order.
nlohmann::json document_symbols(const source_view& view, const kilometre_marks& marks);
