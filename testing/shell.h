// Commands run through the system's shell (sh, or cmd on Windows), for the tests that run the
// program as a process: a quoted word, a change of folder, the null device, the exit status.
#pragma once

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <string>

// `word` as one word of a command line; on Windows with the path's slashes turned, for cmd.
inline std::string shell_quoted(const std::string& word) {
#ifdef _WIN32
  std::string s;
  for (char c : word) s += c == '/' ? '\\' : c;
  return "\"" + s + "\"";
#else
  std::string s = "'";
  for (char c : word) s += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return s + "'";
#endif
}

// The command that makes `folder` the current one, its drive too on Windows.
inline std::string shell_cd(const std::string& folder) {
#ifdef _WIN32
  return "cd /d " + shell_quoted(folder);
#else
  return "cd " + shell_quoted(folder);
#endif
}

#ifdef _WIN32
constexpr const char* kNullDevice = "NUL";
#else
constexpr const char* kNullDevice = "/dev/null";
#endif

// Runs `command` through the shell: its exit status, or -1 when it did not exit by itself.
inline int shell_status(const std::string& command) {
#ifdef _WIN32
  // cmd drops the first and the last quote of a command line that starts with one.
  return std::system(("\"" + command + "\"").c_str());
#else
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
}
