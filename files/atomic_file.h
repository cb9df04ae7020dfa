// Whole-file replacement: a file is written under a temporary name in its own folder and renamed
// over the target only when every byte has been written, so a failed write never leaves a
// partial file and never loses the old one. The temporary name is known to the signal handlers
// (files/temp_registry.h) from its creation to its rename, so an interrupted run leaves none.
// A single file is not synced (a sync per text file tripled the built-in run's time); the
// binary files of a run are, as one set (file_set below).
#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/native_file.h"

// A file that cannot be written, for a reason other than its content.
struct write_failure : std::runtime_error {
  write_failure(std::string failed_path, std::string why)
      : std::runtime_error("cannot write " + failed_path + ": " + why),
        path(std::move(failed_path)),
        reason(std::move(why)) {}
  std::string path;
  std::string reason;
};

class atomic_file {
 public:
  explicit atomic_file(std::string path);  // throws write_failure
  ~atomic_file();                          // drops the temporary file unless committed
  atomic_file(const atomic_file&) = delete;
  atomic_file& operator=(const atomic_file&) = delete;

  void write(std::string_view bytes);  // throws write_failure
  void sync();                         // the bytes reach the disk and the file is closed; throws
  void commit();                       // renames over the target; throws write_failure
  const std::string& path() const { return path_; }

 private:
  [[noreturn]] void fail(const std::string& reason);
  void close_file();  // throws write_failure
  void drop_temporary();
  std::string path_;
  std::string temp_;
  native_file file_ = no_native_file;
  int slot_ = -1;  // the temporary name's place in the signal handlers' registry
};

// Replaces the file at `path` with `bytes`.
void replace_file(const std::string& path, std::string_view bytes);

// Files that replace their targets together: each is written to a temporary file, then commit()
// syncs them all and only then renames them one after the other. A failure before the first
// rename replaces nothing and says so; a failure between renames says which targets were
// replaced and which were not.
class file_set {
 public:
  atomic_file& add(const std::string& path);  // throws write_failure
  void commit();                              // throws write_failure
  // Runs `write`, which adds and writes the set's files; a failure in it replaces nothing and
  // is reported so.
  template <class Write>
  void fill(Write write) {
    try {
      write();
    } catch (const write_failure& f) {
      files_.clear();  // the temporary files go at once
      throw nothing_replaced(f);
    }
  }

 private:
  static write_failure nothing_replaced(const write_failure& f);
  std::vector<std::unique_ptr<atomic_file>> files_;
};

// Removes from `folder` the temporary files that an earlier run killed before it could remove
// them left beside any of `names` (".NAME." and six letters or digits, as atomic_file makes
// them), when they are older than `run_start`; returns their paths. Call it under the folder's
// lock: a run that holds it is the only one writing those names there.
std::vector<std::string> remove_stale_temporaries(const std::string& folder,
                                                  const std::vector<std::string>& names,
                                                  std::filesystem::file_time_type run_start);

// Holds an exclusive lock on a folder for its lifetime (no lock file is left behind): two runs
// writing into one folder take turns, and each leaves a whole set.
// A folder that cannot be opened is not locked; writing into it fails later with its reason.
class folder_lock {
 public:
  explicit folder_lock(const std::string& folder);
  ~folder_lock();
  folder_lock(const folder_lock&) = delete;
  folder_lock& operator=(const folder_lock&) = delete;

 private:
  native_file lock_;
};
