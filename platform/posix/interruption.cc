#include "platform/interruption.h"

#include <signal.h>

#include <initializer_list>

namespace {

static_assert(sizeof(sigset_t) <= 128, "interruptions_held keeps a signal set");

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

sigset_t handled_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kSignals) sigaddset(&set, s);
  return set;
}

void (*cleanup_before_end)() = nullptr;
void (*stop_requested)() = nullptr;

void clean_and_end(int sig) {
  if (cleanup_before_end) cleanup_before_end();
  // The handler was reset to the default on entry; the signal, raised again, ends the run
  // once this handler returns and unblocks it.
  raise(sig);
}

void request_stop(int) {
  if (stop_requested) stop_requested();
}

}  // namespace

interruptions_held::interruptions_held() {
  sigset_t set = handled_signals();
  sigprocmask(SIG_BLOCK, &set, reinterpret_cast<sigset_t*>(saved_));
}

interruptions_held::~interruptions_held() {
  sigprocmask(SIG_SETMASK, reinterpret_cast<sigset_t*>(saved_), nullptr);
}

void end_on_interruption(void (*cleanup)()) {
  cleanup_before_end = cleanup;
  struct sigaction action {};
  action.sa_handler = clean_and_end;
  action.sa_flags = SA_RESETHAND;
  action.sa_mask = handled_signals();  // one handler at a time cleans up
  for (int s : kSignals) sigaction(s, &action, nullptr);
}

void stop_on_interruption(void (*stop)()) {
  stop_requested = stop;
  struct sigaction action {};
  action.sa_handler = request_stop;
  sigemptyset(&action.sa_mask);
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &action, nullptr);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, nullptr);
}
