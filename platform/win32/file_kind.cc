#include "platform/file_kind.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace {

bool absent(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME;
}

// What an open handle is: a console or NUL is a device, a named pipe a FIFO.
file_kind kind_of_handle(HANDLE h) {
  switch (GetFileType(h)) {
    case FILE_TYPE_CHAR: return file_kind::device;
    case FILE_TYPE_PIPE: return file_kind::fifo;
    case FILE_TYPE_DISK: break;
    default: return file_kind::other;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(h, &info)) return file_kind::unknown;
  return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? file_kind::folder
                                                            : file_kind::regular;
}

file_kind kind_opened(const std::string& path, DWORD flags) {
  HANDLE h = CreateFileW(wide_of(path).c_str(), 0,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
  if (h == INVALID_HANDLE_VALUE) return absent(GetLastError()) ? file_kind::missing
                                                               : file_kind::unknown;
  const file_kind kind = kind_of_handle(h);
  CloseHandle(h);
  return kind;
}

}  // namespace

file_kind kind_of_file(const std::string& path) { return kind_opened(path, 0); }

file_kind kind_of_entry(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(wide_of(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return file_kind::other;
  return kind_opened(path, FILE_FLAG_OPEN_REPARSE_POINT);
}
