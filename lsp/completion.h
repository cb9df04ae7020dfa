// Completion: at a line's first field, the keywords of the file's rows, each with its fields
// as a snippet; further along a row, the name of the field the cursor is in.
#pragma once

#include <nlohmann/json.hpp>

#include "lsp/source_view.h"

// The protocol's CompletionList at the line and UTF-16 column.
nlohmann::json completion_at(const source_view& view, int line, int column);
