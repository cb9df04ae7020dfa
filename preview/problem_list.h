// The diagnostics of a compile as the page lists them: printed as the console prints them, each
// with the place along the route it concerns when that can be told.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "preview/snapshot.h"
#include "render/plan_geometry.h"

// The metre a diagnostic concerns: the position it records, else, for a row that starts with
// a metre (`row_positioned`), the number in its first field after the keyword, else nothing.
std::optional<double> metre_of(const diagnostic& d, bool row_positioned);

// `row_positioned` tells which rows start with a metre; `plan`, when given, places each metre
// on the plan too.
std::vector<problem> problems_of(const std::vector<diagnostic>& diagnostics,
                                 const std::function<bool(const diagnostic&)>& row_positioned,
                                 const plan_path* plan);
