// The HTTP server lives in a module that only `serve` loads: no other command carries the code
// that listens on the network. On Windows it is linked into the program instead (a DLL with a
// static runtime of its own would share the snapshot's objects across two heaps), and the
// "loading" makes the listener at once.
#pragma once

#include <memory>
#include <string>

#include "preview/snapshot.h"

class preview_listener {
 public:
  virtual ~preview_listener() = default;
  // See preview_server (preview/server.h).
  virtual bool start(int port, std::string& error) = 0;
  virtual int port() const = 0;
  virtual void stop() = 0;
};

// The module's one entry point, by this name.
#define SC_PREVIEW_ENTRY "sc_make_preview_listener"
#ifdef _WIN32
extern "C" preview_listener* sc_make_preview_listener(snapshot_store* store);
#else
extern "C" __attribute__((visibility("default"))) preview_listener* sc_make_preview_listener(
    snapshot_store* store);
#endif

// The module's file name; it stands beside the executable, or in ../lib/scenario-compiler/
// from it once installed.
constexpr const char* preview_module_name = "scenario-compiler-preview.so";

// Loads the module and makes a listener publishing `store`; null with `error` set when the
// module cannot be found or loaded, or when what stands in its place is not a regular file (a
// FIFO would block the load), naming the path.
std::unique_ptr<preview_listener> load_preview_listener(snapshot_store& store, std::string& error);
