// Quick fixes for the diagnostics the editor sends back: the did-you-mean of an unknown row,
// a keyword's letter case in the general section, a place rounded to the grid, a curve class
// for the radius written, quotes that a text would keep.
#pragma once

#include <nlohmann/json.hpp>

#include "lsp/source_view.h"

// The protocol's CodeAction list for `diagnostics` (the request's context.diagnostics).
nlohmann::json code_actions(const source_view& view, const nlohmann::json& diagnostics);
