// Test helpers: a private folder removed at the end of the test, and whole-file reads and writes.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/utf8_path.h"

// `name` in `folder`, joined as the program joins them: with the system's own separator.
inline std::string path_in(const std::string& folder, const std::string& name) {
  return folder + static_cast<char>(std::filesystem::path::preferred_separator) + name;
}

class temp_folder {
 public:
  // A new folder of a random name: create_directory makes it only where nothing stood, so two
  // tests (or two test processes) never share one.
  temp_folder() {
    const std::filesystem::path parent = std::filesystem::temp_directory_path();
    static std::mt19937_64 random(std::random_device{}());
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string name = "sc-test-";
      for (int i = 0; i < 10; ++i) name += digits[random() % 36];
      std::error_code ec;
      if (std::filesystem::create_directory(parent / name, ec)) {
        path_ = (parent / name).string();
        return;
      }
      if (ec) throw std::runtime_error("cannot make a temporary folder in " + parent.string() +
                                       ": " + ec.message());
    }
    throw std::runtime_error("cannot make a temporary folder in " + parent.string());
  }
  ~temp_folder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_in(path_, name); }

 private:
  std::string path_;
};

// Paths are UTF-8, as the program's own.
inline std::string read_file(const std::string& path) {
  std::ifstream in(path_of(path), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path_of(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Makes `link` a symbolic link to `target` (a folder when `folder`); false where links cannot
// be made (Windows without the privilege, Wine): the test that needs one then skips.
inline bool make_symlink(const std::string& target, const std::string& link, bool folder = false) {
  std::error_code ec;
  if (folder) std::filesystem::create_directory_symlink(target, link, ec);
  else std::filesystem::create_symlink(target, link, ec);
  return !ec;
}
constexpr const char* kNoSymlinks = "symbolic links cannot be made here";

inline bool file_present(const std::string& path) { return std::filesystem::exists(path); }

// The names in `folder`, sorted: a leftover temporary file shows up here.
inline std::vector<std::string> names_in(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
