#include "lsp/documents.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "platform/utf8_path.h"
#include "files/file_names.h"

namespace {

std::string folder_of(const std::string& path) {
  return text_of(path_of(path).parent_path());
}

std::string name_of(const std::string& path) {
  return text_of(path_of(path).filename());
}

// "C:" and what follows.
bool has_drive(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The names of the regular files in `folder`, sorted; none when it cannot be read.
std::vector<std::string> files_in(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(path_of(folder.empty() ? "." : folder), error), end;
       !error && it != end; it.increment(error)) {
    std::error_code kind_error;
    if (it->is_regular_file(kind_error)) names.push_back(text_of(it->path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The train number of the stand-in for a missing train file.
constexpr std::string_view kNoTrain = "0";

}  // namespace

source_kind kind_of_path(const std::string& path) {
  if (path.empty()) return source_kind::none;
  if (!route_of_line_file(path).empty()) return source_kind::line;
  if (!train_of_train_file(path, "").empty()) return source_kind::train;
  return source_kind::none;
}

std::string path_of_uri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (!uri.starts_with(kScheme)) return {};
  uri.remove_prefix(kScheme.size());
  // "file://host/path": only this machine's files are read.
  if (!uri.starts_with("/")) {
    if (!uri.starts_with("localhost/")) return {};
    uri.remove_prefix(std::string_view("localhost").size());
  }
  std::string path;
  for (size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && hex_value(uri[i + 1]) >= 0 &&
        hex_value(uri[i + 2]) >= 0) {
      path += static_cast<char>(hex_value(uri[i + 1]) * 16 + hex_value(uri[i + 2]));
      i += 2;
    } else if (uri[i] == '?' || uri[i] == '#') {
      break;
    } else {
      path += uri[i];
    }
  }
  // A NUL byte names no file.
  if (path.find('\0') != std::string::npos) return {};
  // On Windows the path is written as Windows writes it, so that it names the file as the
  // folder's listing and the messages do: "C:\\Users\\x", not "/C:/Users/x".
  if (kPathsHaveDrives && path.starts_with('/') && has_drive(std::string_view(path).substr(1))) {
    path.erase(0, 1);
    std::replace(path.begin(), path.end(), '/', '\\');
  }
  return path;
}

std::string uri_of_path(const std::string& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file://";
  std::string written = path;
  if (kPathsHaveDrives) {
    std::replace(written.begin(), written.end(), '\\', '/');
    if (has_drive(written)) written.insert(0, "/");
  }
  for (unsigned char c : written) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
    if (plain) {
      uri += static_cast<char>(c);
    } else {
      uri += '%';
      uri += kHex[c >> 4];
      uri += kHex[c & 15];
    }
  }
  return uri;
}

const open_document& document_store::put(const std::string& uri, std::string text) {
  open_document& d = documents_[uri];
  d.uri = uri;
  d.path = path_of_uri(uri);
  d.kind = kind_of_path(d.path);
  d.text = std::move(text);
  d.touched = ++clock_;
  return d;
}

void document_store::close(const std::string& uri) { documents_.erase(uri); }

const open_document* document_store::find(const std::string& uri) const {
  auto it = documents_.find(uri);
  return it == documents_.end() ? nullptr : &it->second;
}

const open_document* document_store::find_path(const std::string& path) const {
  for (const auto& [uri, d] : documents_)
    if (!path.empty() && d.path == path) return &d;
  return nullptr;
}

std::vector<const open_document*> document_store::all() const {
  std::vector<const open_document*> out;
  for (const auto& [uri, d] : documents_) out.push_back(&d);
  return out;
}

source_pair pair_of(const std::string& path, const document_store& documents) {
  source_pair pair;
  const std::string folder = folder_of(path);
  auto beside = [&](const std::string& name) {
    return folder.empty() ? name : text_of(path_of(folder) / path_of(name));
  };
  std::vector<const open_document*> open_here;
  for (const open_document* d : documents.all())
    if (!d->path.empty() && folder_of(d->path) == folder) open_here.push_back(d);

  if (kind_of_path(path) == source_kind::line) {
    pair.line_path = path;
    pair.route = route_of_line_file(path);
    auto of_route = [&](const std::string& name) {
      return name.rfind(pair.route + "_", 0) == 0 && !train_of_train_file(name, pair.route).empty();
    };
    const open_document* latest = nullptr;
    for (const open_document* d : open_here)
      if (d->kind == source_kind::train && of_route(name_of(d->path)) &&
          (!latest || d->touched > latest->touched))
        latest = d;
    std::optional<std::string> train_name;
    if (latest) train_name = name_of(latest->path);
    for (const std::string& name : files_in(folder))
      if (!train_name && kind_of_path(name) == source_kind::train && of_route(name)) train_name = name;
    if (train_name) {
      pair.train = train_of_train_file(*train_name, pair.route);
      pair.train_path = beside(*train_name);
    } else {
      // Checked with an empty train file, which the compiler takes as one without rows.
      pair.train = std::string(kNoTrain);
      pair.train_path = beside(train_file_name(pair.route, pair.train));
      pair.train_missing = true;
    }
    return pair;
  }

  pair.train_path = path;
  const std::string name = name_of(path);
  std::string best;
  bool best_open = false;
  auto consider = [&](const std::string& line_name, bool open) {
    const std::string route = route_of_line_file(line_name);
    if (route.empty() || name.rfind(route + "_", 0) != 0 || train_of_train_file(name, route).empty())
      return;
    if (route.size() > best.size() || (route.size() == best.size() && open && !best_open)) {
      best = route;
      best_open = open;
    }
  };
  for (const open_document* d : open_here)
    if (d->kind == source_kind::line) consider(name_of(d->path), true);
  for (const std::string& file : files_in(folder))
    if (kind_of_path(file) == source_kind::line) consider(file, false);
  if (best.empty()) {
    // The route is what comes before the last '_', as check takes a train number.
    pair.train = train_of_train_file(name, "");
    pair.route = name.substr(0, name.size() - pair.train.size() - std::string_view("_-.txt").size());
    pair.line_missing = true;
  } else {
    pair.route = best;
    pair.train = train_of_train_file(name, best);
  }
  pair.line_path = beside(line_file_name(pair.route));
  return pair;
}
