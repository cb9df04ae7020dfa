#include "platform/child_process.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

child_process::child_process(const std::string& program, const std::vector<std::string>& args) {
  std::vector<std::string> words = {program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
    id_ = pid;
  posix_spawn_file_actions_destroy(&actions);
}

child_process::~child_process() {
  if (started() && !waited_) {
    end_at_once();
    wait();
  }
}

child_end child_process::wait() {
  if (!started() || waited_) return end_;
  int status = 0;
  while (waitpid(static_cast<pid_t>(id_), &status, 0) < 0 && errno == EINTR) {
  }
  waited_ = true;
  if (WIFEXITED(status)) end_.status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) end_.signal = WTERMSIG(status);
  return end_;
}

void child_process::end_at_once() {
  if (started() && !waited_) kill(static_cast<pid_t>(id_), SIGKILL);
}
