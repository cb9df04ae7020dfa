#include "files/temp_registry.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace {

// Fixed slots: the handler walks them without locking or allocating. A run has at most a few
// temporary files at once (the three binary files, or one text file or picture).
constexpr int kSlots = 16;
constexpr size_t kPathRoom = 4096;

struct slot {
  std::atomic<bool> used{false};
  char path[kPathRoom];
};
slot slots[kSlots];

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

sigset_t handled_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kSignals) sigaddset(&set, s);
  return set;
}

void remove_and_end(int sig) {
  remove_temporaries();
  // The handler was reset to the default on entry; the signal, raised again, ends the run
  // once this handler returns and unblocks it.
  raise(sig);
}

}  // namespace

signals_held::signals_held() {
  sigset_t set = handled_signals();
  sigprocmask(SIG_BLOCK, &set, &saved_);
}

signals_held::~signals_held() {
  sigprocmask(SIG_SETMASK, &saved_, nullptr);
}

void remove_temporaries() {
  for (slot& s : slots)
    if (s.used.load()) unlink(s.path);
}

int remember_temporary(const char* path) {
  size_t length = std::strlen(path);
  if (length >= kPathRoom) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (slots[i].used.load()) continue;
    std::memcpy(slots[i].path, path, length + 1);
    slots[i].used.store(true);
    return i;
  }
  return -1;
}

void forget_temporary(int slot_index) {
  if (slot_index >= 0 && slot_index < kSlots) slots[slot_index].used.store(false);
}

void remove_temporaries_on_signals() {
  struct sigaction action {};
  action.sa_handler = remove_and_end;
  action.sa_flags = SA_RESETHAND;
  action.sa_mask = handled_signals();  // one handler at a time walks the slots
  for (int s : kSignals) sigaction(s, &action, nullptr);
}
