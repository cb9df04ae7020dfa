#include "platform/interruption.h"

#include <windows.h>

namespace {

// The console's handler runs on a thread of its own: a hold is a lock that handler takes too,
// so it never walks what a hold is changing.
CRITICAL_SECTION& hold_lock() {
  static CRITICAL_SECTION lock = [] {
    CRITICAL_SECTION l;
    InitializeCriticalSection(&l);
    return l;
  }();
  return lock;
}

void (*cleanup_before_end)() = nullptr;
void (*stop_requested)() = nullptr;

// Ctrl-C, Ctrl-Break, the console's closing, logoff and shutdown.
BOOL WINAPI clean_and_end(DWORD) {
  EnterCriticalSection(&hold_lock());
  if (cleanup_before_end) cleanup_before_end();
  ExitProcess(STATUS_CONTROL_C_EXIT);
}

BOOL WINAPI request_stop(DWORD) {
  if (stop_requested) stop_requested();
  return TRUE;
}

}  // namespace

interruptions_held::interruptions_held() : saved_{} { EnterCriticalSection(&hold_lock()); }

interruptions_held::~interruptions_held() { LeaveCriticalSection(&hold_lock()); }

void end_on_interruption(void (*cleanup)()) {
  hold_lock();
  cleanup_before_end = cleanup;
  SetConsoleCtrlHandler(clean_and_end, TRUE);
}

void stop_on_interruption(void (*stop)()) {
  stop_requested = stop;
  SetConsoleCtrlHandler(clean_and_end, FALSE);
  SetConsoleCtrlHandler(request_stop, TRUE);
}
