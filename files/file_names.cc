#include "files/file_names.h"

#include <filesystem>
#include <system_error>

std::string line_file_name(const std::string& route) { return route + "_linea.txt"; }
std::string train_file_name(const std::string& route, const std::string& train) {
  return route + "_" + train + "-.txt";
}
std::string notes_file_name(const std::string& route, const std::string& train) {
  return route + "_" + train + "_note.txt";
}
std::string slowdowns_file_name(const std::string& route, const std::string& train) {
  return route + "_" + train + "_rallentamenti.txt";
}
std::string timetable_file_name(const std::string& route, const std::string& train) {
  return route + "_" + train + "_scheda_treno.txt";
}
std::string plan_file_name(const std::string& route) { return route + "_linea.dat"; }
std::string records_file_name(const std::string& route, const std::string& train) {
  return route + "_" + train + ".sim";
}
std::string cells_file_name(const std::string& route, const std::string& train) {
  return route + "_" + train + ".dat";
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

std::string join_path(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  char sep = static_cast<char>(std::filesystem::path::preferred_separator);
  return folder.back() == sep ? folder + name : folder + sep + name;
}

std::string executable_folder() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}
