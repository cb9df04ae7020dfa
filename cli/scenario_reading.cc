#include "cli/scenario_reading.h"

#include <filesystem>
#include <optional>

#include "platform/utf8_path.h"
#include "render/scenario_files.h"

namespace {

std::string folder_words(const std::string& dir) {
  return dir == "." ? "the current folder" : dir;
}

// "A_1 (--route A --train 1)" for each: where a route name holds '_', the options say how the
// name is cut.
void list_scenarios(diagnostic_engine& diagnostics, const std::vector<scenario_name>& names) {
  for (const scenario_name& n : names)
    diagnostics.report(system_message("  " + n.stem() + " (--route " + n.route + " --train " +
                                      n.train + ")"));
}

}  // namespace

int locate_scenario(const command& self, const parsed_args& a, scenario_place& place,
                    diagnostic_engine& diagnostics) {
  const std::string route = a.value("--route"), train = a.value("--train");
  if (!a.positional.empty()) {
    const std::string& sim = a.positional[0];
    if (a.values.count("--dir"))
      return usage_error(self, diagnostics, "give the folder once: " + sim + " or --dir, not both");
    const std::filesystem::path path = path_of(sim);
    std::optional<scenario_name> n = scenario_of_records_file(sim, route, train);
    if (!n)
      return usage_error(self, diagnostics,
                         "cannot take the route and train from " + sim + " (not ROUTE_TRAIN.sim" +
                             (route.empty() && train.empty() ? "" : " with the names given") + ")");
    place.dir = path.has_parent_path() ? text_of(path.parent_path()) : ".";
    place.name = *n;
    return exit_clean;
  }
  place.dir = a.value("--dir", ".");
  if (!route.empty() && !train.empty()) {
    place.name = {route, train};
    return exit_clean;
  }

  std::string error;
  std::vector<std::string> names = folder_file_names(place.dir, error);
  if (!error.empty()) {
    diagnostics.tell("cannot read the folder " + place.dir + ": " + error);
    return exit_file_fault;
  }
  scenario_search found = find_scenarios(names, route, train);
  if (found.complete.size() == 1) {
    place.name = found.complete[0];
    return exit_clean;
  }
  std::string which = !route.empty()   ? " of route " + route
                      : !train.empty() ? " of train " + train
                                       : "";
  if (found.complete.empty()) {
    std::string detail;  // the halves found, or the scenarios of other names
    for (const half_scenario& half : found.halves)
      detail += (detail.empty() ? ": " : ", ") + half.present + " has no " + half.missing;
    std::vector<scenario_name> others = find_scenarios(names, "", "").complete;
    if (!which.empty() && !others.empty()) {
      detail += "; it holds";
      for (size_t i = 0; i < others.size(); ++i) detail += (i ? ", " : " ") + others[i].stem();
    }
    diagnostics.tell("no compiled scenario" + which + " in " + folder_words(place.dir) +
                  (detail.empty() ? " (looked for ROUTE_TRAIN.sim beside ROUTE_TRAIN.dat)"
                                  : detail));
    return exit_file_fault;
  }
  diagnostics.tell(folder_words(place.dir) + " holds " + std::to_string(found.complete.size()) +
                " compiled scenarios" + which + "; choose one with " +
                (!route.empty() ? "--train" : !train.empty() ? "--route" : "--route and --train") +
                ":");
  list_scenarios(diagnostics, found.complete);
  return exit_usage;
}

