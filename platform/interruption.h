// Interruptions of a run: SIGINT, SIGTERM, SIGHUP and SIGPIPE on POSIX; Ctrl-C, Ctrl-Break and
// the console's closing on Windows.
#pragma once

// Holds the interruptions back for its lifetime; holds nest, and what came arrives when the
// outermost ends.
class interruptions_held {
 public:
  interruptions_held();
  ~interruptions_held();
  interruptions_held(const interruptions_held&) = delete;
  interruptions_held& operator=(const interruptions_held&) = delete;

 private:
  alignas(8) unsigned char saved_[128];
};

// On an interruption, calls `cleanup` (it may only do what a signal handler may) and ends the
// run as the interruption would have ended it.
void end_on_interruption(void (*cleanup)());
// On an interruption, calls `stop` (as above) and lets the run go on; a peer that hangs up
// never ends the run.
void stop_on_interruption(void (*stop)());
