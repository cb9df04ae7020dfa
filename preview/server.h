// The preview's HTTP server: on the loopback addresses only, it answers GET and HEAD for its
// own few paths (the page, its state, the picture) and nothing else; no request changes
// anything. One thread serves every client from a poll loop over non-blocking sockets: a page
// waiting for the next compile holds no thread, and a slow or silent client holds up no other.
#pragma once

#include <memory>
#include <string>

#include "preview/snapshot.h"

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
  // Closes every connection and stops listening, at once, whatever the clients are doing.
  void stop();

 private:
  struct impl;
  std::unique_ptr<impl> impl_;
};
