#include <filesystem>
#include <system_error>

#include "platform/module.h"
#include "platform/program_path.h"
#include "preview/server_module.h"

namespace {

namespace fs = std::filesystem;

// The folder of the running executable; empty when it cannot be told, and then no module is
// loaded: code is never taken from whatever folder the author happens to be in.
fs::path program_folder() {
  const std::string self = executable_path();
  return self.empty() ? fs::path() : fs::path(self).parent_path();
}

// Why a path that is there is no module: what it holds when it is not a regular file.
const char* not_regular(fs::file_type type) {
  switch (type) {
    case fs::file_type::directory: return "it is a folder";
    case fs::file_type::fifo: return "it is a FIFO, not a regular file";
    case fs::file_type::character:
    case fs::file_type::block: return "it is a device, not a regular file";
    case fs::file_type::socket: return "it is a socket, not a regular file";
    default: return "it is not a regular file";
  }
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
    // Every look is by error code: a link loop or a folder that cannot be searched is a
    // message and status 3, as any other start fault of serve.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) {
      tried += (tried.empty() ? "" : ", ") + path.lexically_normal().string();
      continue;
    }
    if (ec) {
      error = "cannot look for the preview module at " + path.lexically_normal().string() +
              ": " + ec.message();
      return nullptr;
    }
    // dlopen would wait forever on a FIFO for a writer.
    if (status.type() != fs::file_type::regular) {
      error = "cannot load the preview module " + path.lexically_normal().string() + ": " +
              not_regular(status.type());
      return nullptr;
    }
    bool loaded = false;
    std::string why;
    auto make = reinterpret_cast<preview_listener* (*)(snapshot_store*)>(
        module_entry(path.string(), SC_PREVIEW_ENTRY, loaded, why));
    if (!make) {
      error = loaded ? path.string() + " is not the preview module: " + why
                     : "cannot load " + path.string() + ": " + why;
      return nullptr;
    }
    return std::unique_ptr<preview_listener>(make(&store));
  }
  error = "cannot find the preview module " + std::string(preview_module_name) + " (looked at " +
          tried + ")";
  return nullptr;
}
