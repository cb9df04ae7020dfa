#include "platform/module.h"

#include <dlfcn.h>

void* module_entry(const std::string& path, const char* entry, bool& loaded, std::string& error) {
  // Kept loaded for the rest of the process: the caller's code comes from it.
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  loaded = module != nullptr;
  if (!module) {
    error = dlerror();
    return nullptr;
  }
  void* found = dlsym(module, entry);
  if (!found) error = dlerror();
  return found;
}
