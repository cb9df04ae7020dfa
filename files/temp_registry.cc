#include "files/temp_registry.h"

#include <atomic>
#include <cstring>

#include "platform/native_file.h"

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

}  // namespace

void remove_temporaries() {
  for (slot& s : slots)
    if (s.used.load()) remove_file_now(s.path);
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

void remove_temporaries_on_signals() { end_on_interruption(remove_temporaries); }
