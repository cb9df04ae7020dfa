#include "platform/program_path.h"

#include <windows.h>

#include "platform/win32/wide.h"

std::string executable_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return utf8_of(path);
    }
    path.resize(path.size() * 2);
  }
}
