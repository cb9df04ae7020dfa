// The preview's HTTP server: on the loopback addresses only, it answers GET for its own few
// paths (the page, its state, the picture) and nothing else; no request changes anything.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "preview/snapshot.h"

// A Host header the server answers: localhost, 127.0.0.1 or [::1], with no port or with
// `port`. Any other name may be a page elsewhere reaching us through a rebound DNS name.
bool allowed_host(std::string_view host, int port);

class preview_server {
 public:
  explicit preview_server(snapshot_store& store);
  ~preview_server();
  preview_server(const preview_server&) = delete;
  preview_server& operator=(const preview_server&) = delete;

  // Listens on 127.0.0.1 and, where the machine has it, ::1, at `port` (0: a free one). False,
  // with `error` saying why, when 127.0.0.1 cannot be had.
  bool start(int port, std::string& error);
  int port() const;
  void stop();

 private:
  struct impl;
  std::unique_ptr<impl> impl_;
};
