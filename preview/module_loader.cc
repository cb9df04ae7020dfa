#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "preview/server_module.h"

namespace {

namespace fs = std::filesystem;

// The folder of the running executable; empty when it cannot be told, and then no module is
// loaded: code is never taken from whatever folder the author happens to be in.
fs::path program_folder() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : self.parent_path();
}

}  // namespace

std::unique_ptr<preview_listener> load_preview_listener(snapshot_store& store,
                                                        std::string& error) {
  const fs::path folder = program_folder();
  if (folder.empty()) {
    error = "cannot tell the program's folder (/proc/self/exe), where its preview module lies";
    return nullptr;
  }
  std::string tried;
  for (const fs::path& path : {folder / preview_module_name,
                               folder / ".." / "lib" / "scenario-compiler" / preview_module_name}) {
    if (!fs::exists(path)) {
      tried += (tried.empty() ? "" : ", ") + path.lexically_normal().string();
      continue;
    }
    // Kept loaded for the rest of the process: the listener's code lives there.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
      error = "cannot load " + path.string() + ": " + dlerror();
      return nullptr;
    }
    auto make = reinterpret_cast<preview_listener* (*)(snapshot_store*)>(
        dlsym(module, SC_PREVIEW_ENTRY));
    if (!make) {
      error = path.string() + " is not the preview module: " + dlerror();
      return nullptr;
    }
    return std::unique_ptr<preview_listener>(make(&store));
  }
  error = "cannot find the preview module " + std::string(preview_module_name) + " (looked at " +
          tried + ")";
  return nullptr;
}
