// Another program run as a child process, its output and errors going nowhere: the tests run
// the program so, to cut its runs short and to run two at once.
#pragma once

#include <string>
#include <vector>

// How a child ended: its exit status, or on POSIX the signal that ended it (then `signal` is
// not 0).
struct child_end {
  int status = -1;
  int signal = 0;
};

class child_process {
 public:
  // Starts `program` with `args`; `started()` tells whether it could.
  child_process(const std::string& program, const std::vector<std::string>& args);
  // Ends a child never waited for at once, and waits for it.
  ~child_process();
  child_process(const child_process&) = delete;
  child_process& operator=(const child_process&) = delete;

  bool started() const { return id_ > 0; }
  // The system's number for the process (for a POSIX test's own signals).
  long long id() const { return id_; }
  // Waits for the child to end (once; later calls give the same).
  child_end wait();
  // Ends the child at once, giving it no chance to clean up (SIGKILL, TerminateProcess).
  void end_at_once();

 private:
  long long id_ = -1;
  void* handle_ = nullptr;  // the process's handle on Windows
  bool waited_ = false;
  child_end end_;
};
