// A diagnostic as the protocol carries it: its range (the field at its column), severity, its
// code or warning name, the message in the words `check` prints, and its related places.
#pragma once

#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "diagnostics/diagnostic.h"
#include "lsp/text_positions.h"

// The text of a file a diagnostic may name, to place its range; null when there is none.
using text_of_file = std::function<const text_lines*(const std::string& path)>;

// {"line", "character"} of the protocol.
nlohmann::json lsp_position(int line, int character);

// A line or character of a position a client sent: a whole number from 0 that leaves room
// to count from 1. Anything else is std::invalid_argument.
int position_value(const nlohmann::json& value);

// The range of the field at a diagnostic's line and column (from 1) in `text`; the file's
// start for a place with no line.
nlohmann::json field_range(const source_location& where, const text_lines* text);

// The message as `check` prints it, without the place, the row and the notes:
// "error 25: the row cannot be read: ..." or "warning: ... [-Wrange]".
std::string message_of(const diagnostic& d);

nlohmann::json lsp_diagnostic(const diagnostic& d, const text_of_file& text);
