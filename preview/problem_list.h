// The diagnostics of a compile as the page lists them: printed as the console prints them, each
// with the place along the route it concerns when the diagnostic carries one.
#pragma once

#include <optional>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "preview/snapshot.h"
#include "render/plan_geometry.h"

// The metre a diagnostic concerns: its row's place along the route, else the position the
// fault records, else nothing.
std::optional<double> metre_of(const diagnostic& d);

// `plan`, when given, places each metre on the plan too.
std::vector<problem> problems_of(const std::vector<diagnostic>& diagnostics,
                                 const plan_path* plan);
