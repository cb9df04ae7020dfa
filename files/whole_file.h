// Reading a whole file into memory, with the reason when it cannot be read.
#pragma once

#include <string>

struct whole_file {
  bool ok = false;
  std::string bytes;
  std::string reason;    // why it could not be read: "it is a folder", or the system's words
  bool missing = false;  // there is no file of that name
};

whole_file read_whole_file(const std::string& path);
