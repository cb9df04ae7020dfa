#include "files/file_names.h"

#include <filesystem>
#include <system_error>

#include "platform/utf8_path.h"
#include "platform/program_path.h"

namespace {

constexpr std::string_view kLineFile = "_linea.txt";
constexpr std::string_view kTrainFile = "-.txt";
constexpr std::string_view kPlanFile = "_linea.dat";  // the route's, not a train's
constexpr std::string_view kRecordsFile = ".sim";
constexpr std::string_view kCellsFile = ".dat";

std::string train_file(const std::string& route, const std::string& train,
                       std::string_view ending) {
  return scenario_name{route, train}.stem() + std::string(ending);
}

std::string file_name_of(const std::string& path) {
  return text_of(path_of(path).filename());
}

}  // namespace

std::string scenario_name::stem() const { return route + "_" + train; }

std::string line_file_name(const std::string& route) { return route + std::string(kLineFile); }
std::string train_file_name(const std::string& route, const std::string& train) {
  return train_file(route, train, kTrainFile);
}
std::string notes_file_name(const std::string& route, const std::string& train) {
  return train_file(route, train, "_note.txt");
}
std::string slowdowns_file_name(const std::string& route, const std::string& train) {
  return train_file(route, train, "_rallentamenti.txt");
}
std::string timetable_file_name(const std::string& route, const std::string& train) {
  return train_file(route, train, "_scheda_treno.txt");
}
std::string plan_file_name(const std::string& route) { return route + std::string(kPlanFile); }
std::string records_file_name(const std::string& route, const std::string& train) {
  return train_file(route, train, kRecordsFile);
}
std::string cells_file_name(const std::string& route, const std::string& train) {
  return train_file(route, train, kCellsFile);
}

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

std::optional<scenario_name> scenario_of_records_file(const std::string& path,
                                                      const std::string& route,
                                                      const std::string& train) {
  const std::string name = file_name_of(path);
  if (binary_kind_of(name) != binary_file_kind::records) return std::nullopt;
  return split_scenario_stem(binary_file_stem(name, binary_file_kind::records), route, train);
}

std::string route_of_line_file(const std::string& path) {
  std::string name = file_name_of(path);
  return name.ends_with(kLineFile) ? name.substr(0, name.size() - kLineFile.size())
                                   : std::string();
}

std::string train_of_train_file(const std::string& path, const std::string& route) {
  std::string name = file_name_of(path);
  if (!name.ends_with(kTrainFile)) return {};
  std::string stem = name.substr(0, name.size() - kTrainFile.size());
  if (!route.empty() && stem.rfind(route + "_", 0) == 0) return stem.substr(route.size() + 1);
  size_t underscore = stem.rfind('_');
  return underscore == std::string::npos ? std::string() : stem.substr(underscore + 1);
}

binary_file_kind binary_kind_of(std::string_view file_name) {
  if (file_name.ends_with(kPlanFile)) return binary_file_kind::plan;
  if (file_name.ends_with(kRecordsFile)) return binary_file_kind::records;
  if (file_name.ends_with(kCellsFile)) return binary_file_kind::cells;
  return binary_file_kind::unknown;
}

std::string_view binary_file_stem(std::string_view file_name, binary_file_kind kind) {
  const std::string_view ending = kind == binary_file_kind::plan      ? kPlanFile
                                  : kind == binary_file_kind::records ? kRecordsFile
                                  : kind == binary_file_kind::cells   ? kCellsFile
                                                                      : std::string_view();
  return file_name.ends_with(ending) ? file_name.substr(0, file_name.size() - ending.size())
                                     : file_name;
}

std::string records_path_beside(const std::string& cells_path) {
  return text_of(path_of(cells_path).replace_extension(path_of(kRecordsFile)));
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(path_of(a), path_of(b), ec) && !ec;
}

std::string join_path(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char sep = static_cast<char>(std::filesystem::path::preferred_separator);
  return folder.back() == sep ? folder + name : folder + sep + name;
}

std::string executable_folder() {
  const std::string exe = executable_path();
  if (exe.empty()) return ".";
  return text_of(path_of(exe).parent_path());
}
