#include "render/scenario_files.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace {

constexpr std::string_view kRecords = ".sim";
constexpr std::string_view kCells = ".dat";
constexpr std::string_view kPlan = "_linea.dat";  // the route's, not a train's

}  // namespace

std::optional<scenario_name> split_scenario_stem(std::string_view stem, const std::string& route,
                                                 const std::string& train) {
  scenario_name n;
  if (!route.empty()) {
    if (stem.size() <= route.size() + 1 || !stem.starts_with(route) || stem[route.size()] != '_')
      return std::nullopt;
    n.route = route;
    n.train = stem.substr(route.size() + 1);
    if (!train.empty() && n.train != train) return std::nullopt;
    return n;
  }
  size_t cut;
  if (!train.empty()) {
    if (stem.size() <= train.size() + 1 || !stem.ends_with(train)) return std::nullopt;
    cut = stem.size() - train.size() - 1;
    if (stem[cut] != '_') return std::nullopt;
  } else {
    cut = stem.rfind('_');
    if (cut == std::string_view::npos) return std::nullopt;
  }
  n.route = stem.substr(0, cut);
  n.train = stem.substr(cut + 1);
  if (n.route.empty() || n.train.empty()) return std::nullopt;
  return n;
}

scenario_search find_scenarios(const std::vector<std::string>& file_names,
                               const std::string& route, const std::string& train) {
  std::set<std::string> records, cells;
  for (std::string_view name : file_names) {
    if (name.ends_with(kRecords))
      records.emplace(name.substr(0, name.size() - kRecords.size()));
    else if (name.ends_with(kCells) && !name.ends_with(kPlan))
      cells.emplace(name.substr(0, name.size() - kCells.size()));
  }
  scenario_search found;
  for (const std::string& stem : records) {
    std::optional<scenario_name> n = split_scenario_stem(stem, route, train);
    if (!n) continue;
    if (cells.count(stem))
      found.complete.push_back(*n);
    else
      found.halves.push_back({stem + std::string(kRecords), stem + std::string(kCells)});
  }
  for (const std::string& stem : cells)
    if (!records.count(stem) && split_scenario_stem(stem, route, train))
      found.halves.push_back({stem + std::string(kCells), stem + std::string(kRecords)});
  std::sort(found.halves.begin(), found.halves.end(),
            [](const half_scenario& a, const half_scenario& b) { return a.present < b.present; });
  return found;
}

std::vector<std::string> folder_file_names(const std::string& folder, std::string& error) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    names.push_back(it->path().filename().string());
  if (ec) {
    error = ec.message();
    names.clear();
  }
  return names;
}
