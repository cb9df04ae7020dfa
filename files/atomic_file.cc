#include "files/atomic_file.h"

#include <algorithm>
#include <filesystem>
#include <random>

#include "platform/utf8_path.h"
#include "files/temp_registry.h"
#include "platform/file_kind.h"
#include "platform/native_file.h"

namespace {

constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr size_t kRandomLetters = 6;

// A fresh name beside the target: "." + its name + "." + six random letters or digits.
std::string temporary_name(const std::string& folder, const std::string& name) {
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  std::string temp = (folder.empty() ? std::string() : folder + "/") + "." + name + ".";
  for (size_t i = 0; i < kRandomLetters; ++i) temp += kLetters[pick(random)];
  return temp;
}

// Whether `file` is a temporary name that temporary_name makes for one of `names`.
bool temporary_of(const std::string& file, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const size_t head = name.size() + 2;  // "." + name + "."
    if (file.size() != head + kRandomLetters || file[0] != '.' ||
        file.compare(1, name.size(), name) != 0 || file[head - 1] != '.')
      continue;
    const std::string_view tail = std::string_view(file).substr(head);
    if (tail.find_first_not_of(kLetters) == std::string_view::npos) return true;
  }
  return false;
}

std::string joined(const std::vector<std::string>& paths) {
  std::string s;
  for (const std::string& p : paths) s += (s.empty() ? "" : ", ") + p;
  return s;
}

}  // namespace

// The interruptions wait while the temporary file is made and remembered, so none falls
// between the two.
atomic_file::atomic_file(std::string path) : path_(std::move(path)) {
  const std::filesystem::path p = path_of(path_);
  std::string folder = text_of(p.parent_path());
  std::string name = text_of(p.filename());
  bool exists = true;
  std::string error;
  for (int attempt = 0; attempt < 100 && exists; ++attempt) {
    std::string temp = temporary_name(folder, name);
    signals_held held;
    file_ = create_new_file(temp, exists, error);
    if (file_ == no_native_file) continue;
    slot_ = remember_temporary(temp.c_str());
    if (slot_ < 0) {
      close_native_file(file_);
      file_ = no_native_file;
      remove_file_now(temp.c_str());
      throw write_failure(path_, "too many temporary files at once");
    }
    temp_ = temp;
    return;
  }
  throw write_failure(path_, error);
}

atomic_file::~atomic_file() {
  if (file_ != no_native_file) close_native_file(file_);
  drop_temporary();
}

void atomic_file::drop_temporary() {
  if (temp_.empty()) return;
  signals_held held;
  remove_file_now(temp_.c_str());
  forget_temporary(slot_);
  slot_ = -1;
  temp_.clear();
}

void atomic_file::fail(const std::string& reason) {
  if (file_ != no_native_file) close_native_file(file_);
  file_ = no_native_file;
  drop_temporary();
  throw write_failure(path_, reason);
}

void atomic_file::write(std::string_view bytes) {
  if (file_ == no_native_file) throw write_failure(path_, "file is closed");
  std::string error = write_native_file(file_, bytes);
  if (!error.empty()) fail(error);
}

void atomic_file::close_file() {
  native_file file = file_;
  file_ = no_native_file;
  std::string error = close_native_file(file);
  if (!error.empty()) fail(error);
}

void atomic_file::sync() {
  if (temp_.empty()) throw write_failure(path_, "file is closed");
  if (file_ == no_native_file) return;  // synced already
  std::string error = flush_native_file(file_);
  if (!error.empty()) fail(error);
  close_file();
}

void atomic_file::commit() {
  if (temp_.empty()) throw write_failure(path_, "file is closed");
  if (file_ != no_native_file) close_file();
  signals_held held;
  std::string error = rename_over(temp_, path_);
  if (!error.empty()) fail(error);
  forget_temporary(slot_);
  slot_ = -1;
  temp_.clear();
}

void replace_file(const std::string& path, std::string_view bytes) {
  atomic_file f(path);
  f.write(bytes);
  f.commit();
}

atomic_file& file_set::add(const std::string& path) {
  files_.push_back(std::make_unique<atomic_file>(path));
  return *files_.back();
}

write_failure file_set::nothing_replaced(const write_failure& f) {
  return write_failure(f.path, f.reason + "; nothing was replaced");
}

void file_set::commit() {
  fill([&] {
    for (auto& f : files_) f->sync();
    // A folder in the way of a later file would stop the renames midway: found here, it
    // replaces nothing.
    for (auto& f : files_)
      if (kind_of_entry(f->path()) == file_kind::folder)
        throw write_failure(f->path(), "Is a directory");
  });
  // An interruption waits until every file is renamed: it finds the old set or the new one.
  signals_held held;
  std::vector<std::string> replaced;
  for (size_t i = 0; i < files_.size(); ++i) {
    try {
      files_[i]->commit();
    } catch (const write_failure& f) {
      std::vector<std::string> kept;
      for (size_t k = i; k < files_.size(); ++k) kept.push_back(files_[k]->path());
      files_.clear();
      if (replaced.empty()) throw nothing_replaced(f);
      throw write_failure(f.path, f.reason + "; replaced: " + joined(replaced) +
                                      "; not replaced: " + joined(kept));
    }
    replaced.push_back(files_[i]->path());
  }
  // The renames themselves reach the disk with their folders; a file system that cannot sync
  // a folder still has the renamed files.
  std::vector<std::string> folders;
  for (const std::string& path : replaced) {
    std::string folder = text_of(path_of(path).parent_path());
    if (folder.empty()) folder = ".";
    if (std::find(folders.begin(), folders.end(), folder) != folders.end()) continue;
    folders.push_back(folder);
    sync_folder(folder);
  }
}

std::vector<std::string> remove_stale_temporaries(const std::string& folder,
                                                  const std::vector<std::string>& names,
                                                  std::filesystem::file_time_type run_start) {
  namespace fs = std::filesystem;
  std::vector<std::string> removed;
  std::error_code ec;
  fs::directory_iterator it(path_of(folder.empty() ? "." : folder), ec), end;
  // A folder that cannot be listed keeps its leftovers: the run itself goes on.
  for (; !ec && it != end; it.increment(ec)) {
    const fs::path& path = it->path();
    std::error_code entry_ec;
    if (!temporary_of(text_of(path.filename()), names) ||
        !fs::is_regular_file(it->symlink_status(entry_ec)) || entry_ec)
      continue;
    const fs::file_time_type written = fs::last_write_time(path, entry_ec);
    if (entry_ec || written >= run_start) continue;
    if (fs::remove(path, entry_ec) && !entry_ec) removed.push_back(text_of(path));
  }
  return removed;
}

folder_lock::folder_lock(const std::string& folder)
    : lock_(lock_folder(folder.empty() ? "." : folder)) {}

folder_lock::~folder_lock() { unlock_folder(lock_); }
