#include "platform/file_stamp.h"

#include <windows.h>

#include "platform/win32/wide.h"

// The volume's serial number and the file's index name it as an inode does; there is no change
// time of the file's attributes, so the last write stands for it too.
file_stamp stamp_of(const std::string& path) {
  file_stamp s;
  HANDLE h = CreateFileW(wide_of(path).c_str(), 0,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
      s.error = static_cast<int>(code);
    return s;
  }
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = GetFileInformationByHandle(h, &info);
  const DWORD code = GetLastError();
  CloseHandle(h);
  if (!known) {
    s.error = static_cast<int>(code);
    return s;
  }
  s.what = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? file_stamp::kind::folder
                                                              : file_stamp::kind::regular;
  s.device = info.dwVolumeSerialNumber;
  s.inode = (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
  s.size = static_cast<long long>((uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
  const uint64_t written =
      (uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime;
  s.modified_ns = static_cast<long long>(written) * 100;
  s.changed_ns = s.modified_ns;
  return s;
}
