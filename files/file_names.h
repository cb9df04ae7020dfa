// Names of the files a run reads and writes, made and taken apart here alone, and the folder
// they live in. A route's files are ROUTE_linea.txt and ROUTE_linea.dat; a train's on it are
// ROUTE_TRAIN-.txt, ROUTE_TRAIN.sim, ROUTE_TRAIN.dat and its three documents.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// A train's scenario: its route and its number.
struct scenario_name {
  std::string route;
  std::string train;

  std::string stem() const;  // "ROUTE_TRAIN", the start of every file of the train
  bool operator==(const scenario_name&) const = default;
};

std::string line_file_name(const std::string& route);                           // _linea.txt
std::string train_file_name(const std::string& route, const std::string& train);  // -.txt
std::string notes_file_name(const std::string& route, const std::string& train);
std::string slowdowns_file_name(const std::string& route, const std::string& train);
std::string timetable_file_name(const std::string& route, const std::string& train);
std::string plan_file_name(const std::string& route);                            // _linea.dat
std::string records_file_name(const std::string& route, const std::string& train);  // .sim
std::string cells_file_name(const std::string& route, const std::string& train);    // .dat

// The names in a file stem "ROUTE_TRAIN". A route name may hold '_', so the stem is cut where
// `route` or `train` say when one is given (not empty), else at its last '_'. Nothing when
// the stem does not start with `route` and '_', does not end with '_' and `train`, or leaves
// either name empty.
std::optional<scenario_name> split_scenario_stem(std::string_view stem, const std::string& route,
                                                 const std::string& train);

// The names in the path of a records file, ROUTE_TRAIN.sim, cut as above; nothing for a path
// of another name.
std::optional<scenario_name> scenario_of_records_file(const std::string& path,
                                                      const std::string& route,
                                                      const std::string& train);

// The route name of a line file's path, "NAME_linea.txt" giving NAME; empty for another name.
std::string route_of_line_file(const std::string& path);
// The train number of a train file's path, "NAME_NUMBER-.txt" giving NUMBER: what follows
// `route` and '_' when the name starts with them, else what follows the last '_'; empty when
// the name does not end in "-.txt" or holds no '_'.
std::string train_of_train_file(const std::string& path, const std::string& route);

// What a binary file holds, by its name: ROUTE_linea.dat the route plan, a .sim the records,
// any other .dat the cells.
enum class binary_file_kind { unknown, plan, records, cells };
binary_file_kind binary_kind_of(std::string_view file_name);
// The name less what tells its kind: ROUTE for a plan, ROUTE_TRAIN for records and cells.
std::string_view binary_file_stem(std::string_view file_name, binary_file_kind kind);
// The records file beside the cells file at `cells_path`: the same name ending in .sim.
std::string records_path_beside(const std::string& cells_path);

// Whether two paths name one file (the same inode), as a link or another spelling would.
bool same_file(const std::string& a, const std::string& b);

// Joins a folder and a file name with the platform's separator.
std::string join_path(const std::string& folder, const std::string& name);

// The folder that holds the running executable, asked of the operating system.
std::string executable_folder();
