// What the preview answers at each of its paths: the page, its script and style, the state and
// the picture. A request for the state with `since` may wait for the next publication.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "preview/http_message.h"
#include "preview/snapshot.h"

// A Host header the server answers: localhost, 127.0.0.1 or [::1], with no port or with
// `port`. Any other name may be a page elsewhere reaching us through a rebound DNS name.
bool allowed_host(std::string_view host, int port);

class preview_routes {
 public:
  explicit preview_routes(snapshot_store& store) : store_(store) {}

  // The reply to `request`, made to a server on `port`; `wait_since` is set to the version the
  // page has when the reply should instead wait for a newer one (-1: it answers now).
  http_reply answer(const http_request& request, int port, long& wait_since);

  // Whether the latest version differs from `since`: a page that saw a later version saw an
  // earlier run of serve, and that is news too.
  bool news_for(long since) const;

  // The state as it is now.
  http_reply state() const;

 private:
  snapshot_store& store_;
};
