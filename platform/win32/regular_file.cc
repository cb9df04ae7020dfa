#include "platform/regular_file.h"

#include <windows.h>

#include "platform/win32/wide.h"

regular_file_read read_regular_file(const std::string& path, uint64_t limit) {
  regular_file_read f;
  // Backup semantics open a folder too, so that it is told apart below.
  HANDLE h = CreateFileW(wide_of(path).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) f.kind = file_kind::missing;
    f.error = system_message(code);
    return f;
  }
  BY_HANDLE_FILE_INFORMATION info;
  const DWORD type = GetFileType(h);
  if (type != FILE_TYPE_DISK) {
    f.kind = type == FILE_TYPE_CHAR ? file_kind::device
             : type == FILE_TYPE_PIPE ? file_kind::fifo
                                      : file_kind::other;
  } else if (!GetFileInformationByHandle(h, &info)) {
    f.error = system_message(GetLastError());
  } else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
    f.kind = file_kind::folder;
  } else {
    f.kind = file_kind::regular;
  }
  if (f.kind != file_kind::regular) {
    CloseHandle(h);
    return f;
  }
  const uint64_t size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  if (size > limit) {
    CloseHandle(h);
    f.too_large = true;
    return f;
  }
  f.bytes.reserve(static_cast<size_t>(size));
  char buffer[1 << 16];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(h, buffer, sizeof buffer, &n, nullptr)) {
      f.error = system_message(GetLastError());
      CloseHandle(h);
      f.bytes = {};
      return f;
    }
    if (n == 0) break;
    // A file that grows while it is read is held to the same bound.
    if (f.bytes.size() + n > limit) {
      CloseHandle(h);
      f.bytes = {};
      f.too_large = true;
      return f;
    }
    f.bytes.append(buffer, n);
  }
  CloseHandle(h);
  f.ok = true;
  return f;
}
