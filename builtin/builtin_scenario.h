// The built-in scenario's source: the route and train names and the lines of its two
// description files, in file order. The writers, the export command and the tests share them.
#pragma once

#include <span>
#include <string_view>

inline constexpr std::string_view builtin_route_name = "Zenvro_Quarvel";
inline constexpr std::string_view builtin_train_number = "2417";

// The 73 lines of the line description file, "[generale]" to "[fine]".
std::span<const std::string_view> builtin_line_rows();

// The 88 lines of the train description file, "[generale]" to "[fine]".
std::span<const std::string_view> builtin_train_rows();
