#include "preview/routes.h"

#include <cerrno>
#include <cstdlib>

#include "preview/page.h"

namespace {

// The state and the picture go out as they are: compressing a large picture would cost more
// than sending it over the loopback address.
constexpr const char* kJson = "application/json; charset=utf-8";
constexpr const char* kSvg = "image/svg+xml; charset=utf-8";

http_reply constant(const char* text, const char* type) {
  http_reply r;
  r.type = type;
  r.body = std::make_shared<const std::string>(text);
  return r;
}

// The version in `since=N`; -1 when absent or not a number.
long since_of(std::string_view query) {
  const std::string text(query_value(query, "since"));
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  return errno != 0 || end == text.c_str() || *end != '\0' ? -1 : v;
}

}  // namespace

bool allowed_host(std::string_view host, int port) {
  for (std::string_view name : {"localhost", "127.0.0.1", "[::1]"}) {
    if (!host.starts_with(name)) continue;
    std::string_view rest = host.substr(name.size());
    if (rest.empty() || rest == ":" + std::to_string(port)) return true;
  }
  return false;
}

http_reply preview_routes::answer(const http_request& request, int port, long& wait_since) {
  wait_since = -1;
  const auto hosts = request.values("Host");
  if (hosts.size() != 1 || !allowed_host(hosts.front(), port))
    return text_reply(403, "forbidden: this server answers only as localhost\n");
  if (request.method != "GET" && request.method != "HEAD") {
    http_reply r = text_reply(405, "only GET\n");
    r.headers.emplace_back("Allow", "GET, HEAD");
    return r;
  }
  static const http_reply page = constant(preview_page_html, "text/html; charset=utf-8");
  static const http_reply script = constant(preview_page_script, "text/javascript; charset=utf-8");
  static const http_reply style = constant(preview_page_style, "text/css; charset=utf-8");
  if (request.path == "/") return page;
  if (request.path == "/page.js") return script;
  if (request.path == "/page.css") return style;
  if (request.path == "/state") {
    const long since = since_of(request.query);
    // Only a GET waits: a HEAD has no state to wait for.
    if (since >= 0 && request.method == "GET" && !news_for(since)) wait_since = since;
    return state();
  }
  if (request.path == "/picture.svg") {
    auto s = store_.latest();
    http_reply r = s->outcome.picture ? http_reply{200, kSvg, {}, s->outcome.picture}
                                      : text_reply(404, "not found\n");
    r.headers = {{"Cache-Control", "no-store"},
                 {"X-Picture-Version", std::to_string(s->picture_version)}};
    return r;
  }
  return text_reply(404, "not found\n");
}

bool preview_routes::news_for(long since) const { return store_.latest()->version != since; }

http_reply preview_routes::state() const {
  return http_reply{200, kJson, {{"Cache-Control", "no-store"}}, store_.latest()->state};
}
