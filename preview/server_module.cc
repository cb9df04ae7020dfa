// The module's entry point: the server behind the listener interface.
#include "preview/server.h"
#include "preview/server_module.h"

namespace {

class listener : public preview_listener {
 public:
  explicit listener(snapshot_store& store) : server_(store) {}
  bool start(int port, std::string& error) override { return server_.start(port, error); }
  int port() const override { return server_.port(); }
  void stop() override { server_.stop(); }

 private:
  preview_server server_;
};

}  // namespace

extern "C" preview_listener* sc_make_preview_listener(snapshot_store* store) {
  return new listener(*store);
}
