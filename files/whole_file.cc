#include "files/whole_file.h"

#include "platform/regular_file.h"

namespace {

const char* kind_text(file_kind kind) {
  switch (kind) {
    case file_kind::folder: return "it is a folder";
    case file_kind::fifo: return "it is a FIFO, not a regular file";
    case file_kind::socket: return "it is a socket, not a regular file";
    case file_kind::device: return "it is a device, not a regular file";
    default: return "it is not a regular file";
  }
}

std::string too_large(uint64_t limit) {
  return "it is larger than " + std::to_string(limit) +
         " bytes, the most a file of its kind may take";
}

}  // namespace

whole_file read_whole_file(const std::string& path, uint64_t limit) {
  regular_file_read read = read_regular_file(path, limit);
  whole_file f;
  f.ok = read.ok;
  f.bytes = std::move(read.bytes);
  f.missing = read.kind == file_kind::missing;
  if (read.ok) return f;
  f.reason = !read.error.empty()              ? read.error
             : read.too_large                 ? too_large(limit)
                                              : kind_text(read.kind);
  return f;
}
