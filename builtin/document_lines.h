// The lines of the three driver documents of the built-in scenario, in file order. They are
// fixed texts: nothing in them is computed from the route.
#pragma once

#include <span>
#include <string_view>

std::span<const std::string_view> notes_lines();      // 10 lines
std::span<const std::string_view> slowdowns_lines();  // 5 lines
std::span<const std::string_view> timetable_lines();  // 42 lines
