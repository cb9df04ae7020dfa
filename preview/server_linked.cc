// Windows: the server is linked into the program, so there is nothing to load and nothing that
// can be missing.
#include "preview/server_module.h"

std::unique_ptr<preview_listener> load_preview_listener(snapshot_store& store, std::string&) {
  return std::unique_ptr<preview_listener>(sc_make_preview_listener(&store));
}
