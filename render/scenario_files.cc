#include "render/scenario_files.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <system_error>

#include "platform/utf8_path.h"

scenario_search find_scenarios(const std::vector<std::string>& file_names,
                               const std::string& route, const std::string& train) {
  std::set<std::string> records, cells;
  for (std::string_view name : file_names) {
    const binary_file_kind kind = binary_kind_of(name);
    if (kind == binary_file_kind::records)
      records.emplace(binary_file_stem(name, kind));
    else if (kind == binary_file_kind::cells)
      cells.emplace(binary_file_stem(name, kind));
  }
  scenario_search found;
  for (const std::string& stem : records) {
    std::optional<scenario_name> n = split_scenario_stem(stem, route, train);
    if (!n) continue;
    if (cells.count(stem))
      found.complete.push_back(*n);
    else
      found.halves.push_back(
          {records_file_name(n->route, n->train), cells_file_name(n->route, n->train)});
  }
  for (const std::string& stem : cells) {
    std::optional<scenario_name> n = split_scenario_stem(stem, route, train);
    if (!records.count(stem) && n)
      found.halves.push_back(
          {cells_file_name(n->route, n->train), records_file_name(n->route, n->train)});
  }
  std::sort(found.halves.begin(), found.halves.end(),
            [](const half_scenario& a, const half_scenario& b) { return a.present < b.present; });
  return found;
}

std::vector<std::string> folder_file_names(const std::string& folder, std::string& error) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(path_of(folder), ec), end; !ec && it != end; it.increment(ec))
    names.push_back(text_of(it->path().filename()));
  if (ec) {
    error = ec.message();
    names.clear();
  }
  return names;
}

long seconds_plan_before_records(const std::string& plan_path, const std::string& records_path) {
  std::error_code plan_ec, records_ec;
  const auto plan = std::filesystem::last_write_time(path_of(plan_path), plan_ec);
  const auto records = std::filesystem::last_write_time(path_of(records_path), records_ec);
  if (plan_ec || records_ec || plan >= records) return 0;
  return static_cast<long>(std::chrono::duration_cast<std::chrono::seconds>(records - plan).count());
}

std::string duration_text(long seconds) {
  if (seconds < 120) return std::to_string(seconds) + " s";
  if (seconds < 2 * 3600) return std::to_string(seconds / 60) + " min";
  if (seconds < 2 * 86400) return std::to_string(seconds / 3600) + " h";
  return std::to_string(seconds / 86400) + " days";
}
