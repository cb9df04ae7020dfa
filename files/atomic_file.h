// Whole-file replacement: a file is written under a temporary name in its own folder and renamed
// over the target only when every byte has been written, so a failed write never leaves a
// partial file and never loses the old one. The bytes are not synced to the disk: a sync per
// file tripled the built-in run's time; after a system crash an output may be empty, and the
// run is made again.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

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
  void commit();                       // renames over the target; throws write_failure

 private:
  [[noreturn]] void fail(const std::string& reason);
  std::string path_;
  std::string temp_;
  int fd_ = -1;
};

// Replaces the file at `path` with `bytes`.
void replace_file(const std::string& path, std::string_view bytes);
