#include "preview/server.h"

#include <httplib.h>

#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

#include "preview/page.h"

namespace {

constexpr std::chrono::milliseconds kLongestWait{5000};

// The state and the picture go out as they are, on the loopback address: the library would
// compress these types, brotli first, which costs a large picture a tenth of a second and more.
// It leaves alone a type with parameters.
constexpr const char* kJson = "application/json; charset=utf-8";
constexpr const char* kSvg = "image/svg+xml; charset=utf-8";

long since_of(const httplib::Request& req) {
  if (!req.has_param("since")) return -1;
  const std::string text = req.get_param_value("since");
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(text.c_str(), &end, 10);
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

struct preview_server::impl {
  explicit impl(snapshot_store& s) : store(s) {}

  snapshot_store& store;
  int port = 0;
  // One server per address: 127.0.0.1 first, then ::1 when it binds.
  std::vector<std::unique_ptr<httplib::Server>> servers;
  std::vector<std::thread> threads;

  void set_up(httplib::Server& server) {
    // The library's default would also set SO_REUSEPORT, letting a second server share the
    // port: a port in use must be refused instead. SO_REUSEADDR alone only lets a restart
    // take a port whose old connections are closing.
    server.set_socket_options([](socket_t sock) {
      int yes = 1;
      setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.set_tcp_nodelay(true);
    server.set_keep_alive_timeout(1);
    server.set_read_timeout(2);
    server.set_payload_max_length(1024);
    server.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
      if (!allowed_host(req.get_header_value("Host"), port)) {
        res.status = 403;
        res.set_content("forbidden: this server answers only as localhost\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
      }
      if (req.method != "GET" && req.method != "HEAD") {
        res.status = 405;
        res.set_header("Allow", "GET, HEAD");
        res.set_content("only GET\n", "text/plain");
        return httplib::Server::HandlerResponse::Handled;
      }
      return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
      if (res.status == 404) res.set_content("not found\n", "text/plain");
    });
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(preview_page_html, "text/html; charset=utf-8");
    });
    server.Get("/page.js", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(preview_page_script, "text/javascript; charset=utf-8");
    });
    server.Get("/page.css", [](const httplib::Request&, httplib::Response& res) {
      res.set_content(preview_page_style, "text/css; charset=utf-8");
    });
    server.Get("/state", [this](const httplib::Request& req, httplib::Response& res) {
      const long since = since_of(req);
      auto s = since < 0 ? store.latest() : store.wait_newer(since, kLongestWait);
      res.set_header("Cache-Control", "no-store");
      res.set_content(state_json(*s), kJson);
    });
    server.Get("/picture.svg", [this](const httplib::Request&, httplib::Response& res) {
      auto s = store.latest();
      res.set_header("Cache-Control", "no-store");
      res.set_header("X-Picture-Version", std::to_string(s->picture_version));
      if (!s->outcome.picture) {
        res.status = 404;
        return;
      }
      res.set_content(*s->outcome.picture, kSvg);
    });
  }
};

preview_server::preview_server(snapshot_store& store) : impl_(std::make_unique<impl>(store)) {}

preview_server::~preview_server() { stop(); }

bool preview_server::start(int port, std::string& error) {
  for (const char* host : {"127.0.0.1", "::1"}) {
    auto server = std::make_unique<httplib::Server>();
    impl_->set_up(*server);
    const bool first = impl_->servers.empty();
    int bound = first ? port : impl_->port;
    if (first && port == 0)
      bound = server->bind_to_any_port(host);
    else if (!server->bind_to_port(host, bound))
      bound = -1;
    if (bound < 0) {
      const int why = errno;
      // No ::1 on this machine: 127.0.0.1 alone. But ::1's port held by another program would
      // let "localhost" reach that program: then this port will not do.
      if (!first && why != EADDRINUSE) continue;
      error = std::string("cannot listen on ") + host + " port " +
              std::to_string(first ? port : impl_->port) + ": " +
              (why != 0 ? std::strerror(why) : "the port is taken");
      impl_->servers.clear();
      return false;
    }
    impl_->port = bound;
    impl_->servers.push_back(std::move(server));
  }
  for (auto& server : impl_->servers)
    impl_->threads.emplace_back([s = server.get()] { s->listen_after_bind(); });
  // A stop before a server's accept loop runs would not reach it: start only once all run.
  for (auto& server : impl_->servers)
    for (int i = 0; i < 2000 && !server->is_running(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return true;
}

int preview_server::port() const { return impl_->port; }

void preview_server::stop() {
  impl_->store.close();
  for (auto& server : impl_->servers) server->stop();
  for (std::thread& t : impl_->threads) t.join();
  impl_->threads.clear();
  impl_->servers.clear();
}
