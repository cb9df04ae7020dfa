#include "platform/module.h"

#include <windows.h>

#include "platform/win32/wide.h"

void* module_entry(const std::string& path, const char* entry, bool& loaded, std::string& error) {
  // Kept loaded for the rest of the process: the caller's code comes from it.
  HMODULE module = LoadLibraryW(wide_of(path).c_str());
  loaded = module != nullptr;
  if (!module) {
    error = system_message(GetLastError());
    return nullptr;
  }
  void* found = reinterpret_cast<void*>(GetProcAddress(module, entry));
  if (!found) error = system_message(GetLastError());
  return found;
}
