// Reading a whole file into memory, with the reason when it cannot be read.
#pragma once

#include <cstdint>
#include <string>

// The largest text source read. The 1,000,000 m route's sources take a few kilobytes; a line
// file with a row for every 50 m cell of each kind of row stays under 20 MB. A quarter of a
// gigabyte leaves room for any hand-made or generated source while keeping the memory of a
// run (which holds the whole source) bounded.
constexpr uint64_t max_source_bytes = uint64_t{256} << 20;

// The largest binary file read. The plan file is the largest: two points for each metre of
// the grid (the route's 1,000,000 m at most plus 7,000), 10 bytes each at most, about 20 MB;
// 32 MiB leaves room for the header and anything a later layout adds.
constexpr uint64_t max_binary_bytes = uint64_t{32} << 20;

struct whole_file {
  bool ok = false;
  std::string bytes;
  std::string reason;    // why it could not be read: "it is a folder", or the system's words
  bool missing = false;  // there is no file of that name
};

// Reads a regular file (or a link to one) of at most `limit` bytes. Anything else (a folder,
// a FIFO, a device, a socket) is refused before a byte is read, so a FIFO never blocks the
// run and /dev/zero is never read.
whole_file read_whole_file(const std::string& path, uint64_t limit = max_source_bytes);
