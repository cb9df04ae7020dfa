// The file calls that differ between systems: a file made new, written, flushed and renamed over
// its target, a folder synced and locked. Each returns the system's words for a failure, empty
// when it succeeded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A file opened by one of the calls below (a descriptor or a handle).
using native_file = std::intptr_t;
constexpr native_file no_native_file = -1;

// Makes `path`, which must not exist yet, for writing. `exists` tells that the name was taken.
native_file create_new_file(const std::string& path, bool& exists, std::string& error);
std::string write_native_file(native_file file, std::string_view bytes);
// The file's bytes reach the disk.
std::string flush_native_file(native_file file);
std::string close_native_file(native_file file);
// Replaces `to` whole with `from`, in one step.
std::string rename_over(const std::string& from, const std::string& to);
// Removes a file; safe in an interruption's handler.
void remove_file_now(const char* path);
// The renames in a folder reach the disk; a file system that cannot sync a folder is let be.
void sync_folder(const std::string& folder);
// Whether this process may make files in `folder`: the system's words when it may not, empty
// when it may.
std::string folder_write_refusal(const std::string& folder);
// An exclusive lock on a folder, held until unlocked; no_native_file when it cannot be opened.
native_file lock_folder(const std::string& folder);
void unlock_folder(native_file lock);
