// The system's words for the failures the tests bring about, as the platform layer reports
// them: the C library's on POSIX, the Win32 error's message on Windows.
#pragma once

#include <string>

#ifdef _WIN32
#include "platform/win32/wide.h"
#endif

enum class failure_kind {
  no_such_file,       // a file that is not there
  no_such_folder,     // a name in a folder that is not there
  folder_in_the_way,  // a file to be made where a folder stands
  not_a_folder,       // a name in a "folder" that is a file
};

inline std::string system_words(failure_kind kind) {
#ifdef _WIN32
  // ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED
  switch (kind) {
    case failure_kind::no_such_file: return system_message(2);
    case failure_kind::no_such_folder:
    case failure_kind::not_a_folder: return system_message(3);
    case failure_kind::folder_in_the_way: return system_message(5);
  }
#else
  switch (kind) {
    case failure_kind::no_such_file:
    case failure_kind::no_such_folder: return "No such file or directory";
    case failure_kind::folder_in_the_way: return "Is a directory";
    case failure_kind::not_a_folder: return "Not a directory";
  }
#endif
  return {};
}
