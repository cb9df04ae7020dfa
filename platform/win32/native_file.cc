#include "platform/native_file.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "platform/win32/wide.h"

namespace {

HANDLE handle_of(native_file file) { return reinterpret_cast<HANDLE>(file); }
native_file file_of(HANDLE h) {
  return h == INVALID_HANDLE_VALUE || h == nullptr ? no_native_file
                                                   : reinterpret_cast<native_file>(h);
}
std::string last_error() { return system_message(GetLastError()); }

}  // namespace

native_file create_new_file(const std::string& path, bool& exists, std::string& error) {
  HANDLE h = CreateFileW(wide_of(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                         nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  const DWORD code = GetLastError();
  exists = h == INVALID_HANDLE_VALUE && (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS);
  if (h == INVALID_HANDLE_VALUE) error = system_message(code);
  return file_of(h);
}

std::string write_native_file(native_file file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 30));
    DWORD written = 0;
    if (!WriteFile(handle_of(file), bytes.data(), chunk, &written, nullptr)) return last_error();
    bytes.remove_prefix(written);
  }
  return {};
}

std::string flush_native_file(native_file file) {
  return FlushFileBuffers(handle_of(file)) ? std::string() : last_error();
}

std::string close_native_file(native_file file) {
  return CloseHandle(handle_of(file)) ? std::string() : last_error();
}

// Write-through: the rename has reached the disk when the call returns.
// A file that another program has open a moment longer (a run that has just replaced it and is
// ending, a virus scanner, the search indexer) refuses to be replaced: the rename is tried again
// for up to two seconds before its refusal is the answer.
std::string rename_over(const std::string& from, const std::string& to) {
  const std::wstring wide_from = wide_of(from), wide_to = wide_of(to);
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(wide_from.c_str(), wide_to.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return {};
    const DWORD code = GetLastError();
    if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || attempt == 40)
      return system_message(code);
    Sleep(50);
  }
}

void remove_file_now(const char* path) { DeleteFileW(wide_of(path).c_str()); }

// The renames were written through (rename_over): nothing is left to sync.
void sync_folder(const std::string&) {}

// Windows grants writing by the folder's access list, which no call answers for a path: a file
// made there, and gone when closed, tells.
std::string folder_write_refusal(const std::string& folder) {
  const std::wstring probe = wide_of(folder) + L"\\.scenario-compiler-write-check-" +
                             std::to_wstring(GetCurrentProcessId());
  HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return last_error();
  CloseHandle(h);
  return {};
}

// A folder cannot be locked as a file can: the lock is a mutex named after the folder's full
// path, so it too leaves no file behind and ends with the process.
native_file lock_folder(const std::string& folder) {
  const std::wstring wide = wide_of(folder);
  // The mutex needs no folder: one that is not there is refused as on POSIX.
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return no_native_file;
  const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return no_native_file;
  std::wstring full(n, L'\0');
  full.resize(GetFullPathNameW(wide.c_str(), n, full.data(), nullptr));
  while (!full.empty() && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  for (wchar_t& c : full) c = c == L'\\' || c == L'/' ? L'|' : static_cast<wchar_t>(std::towlower(c));
  HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\scenario-compiler-folder " + full).c_str());
  if (!mutex) return no_native_file;
  WaitForSingleObject(mutex, INFINITE);  // an abandoned lock is taken over
  return file_of(mutex);
}

void unlock_folder(native_file lock) {
  if (lock == no_native_file) return;
  ReleaseMutex(handle_of(lock));
  CloseHandle(handle_of(lock));
}
