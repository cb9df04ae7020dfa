// The buffers the editor holds open, by URI, and how a source file finds its other half: a
// line file NAME_linea.txt and a train file NAME_NUMBER-.txt of one folder, the other file
// taken from its open buffer, else from disk.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

enum class source_kind { none, line, train };

// What a file's name makes it.
source_kind kind_of_path(const std::string& path);

// The path of a file: URI ("file:///a%20b/x.txt" gives "/a b/x.txt"); empty for any other.
std::string path_of_uri(std::string_view uri);
// The file: URI of an absolute path.
std::string uri_of_path(const std::string& path);

struct open_document {
  std::string uri;
  std::string path;  // empty for a URI that is no file
  source_kind kind = source_kind::none;
  std::string text;  // UTF-8, as the editor sent it
  uint64_t touched = 0;  // when it was last opened or changed, in the store's own count
};

class document_store {
 public:
  // Opens or replaces the buffer of `uri`.
  const open_document& put(const std::string& uri, std::string text);
  void close(const std::string& uri);
  const open_document* find(const std::string& uri) const;
  const open_document* find_path(const std::string& path) const;
  std::vector<const open_document*> all() const;

 private:
  std::map<std::string, open_document> documents_;
  uint64_t clock_ = 0;
};

// The two files checked together. A half that is neither open nor on disk is `missing`: it is
// checked as an empty file, under a name made from the other's.
struct source_pair {
  std::string line_path, train_path;
  std::string route, train;
  bool line_missing = false, train_missing = false;
};

// The pair of the source file at `path` (a line or a train file by its name). A line file
// takes the train file of its route that was last touched among the open buffers of its folder,
// else the first by name on disk; a train file takes the line file of the longest route its
// name starts with, open or on disk.
source_pair pair_of(const std::string& path, const document_store& documents);
