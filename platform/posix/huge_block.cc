#include "platform/huge_block.h"

#include <sys/mman.h>

#include <cstdint>

// The mapping is a whole number of huge pages, aligned to one: only aligned 2 MB spans can be
// huge pages.
void* allocate_huge_block(size_t bytes) {
  void* p = mmap(nullptr, bytes + huge_block_size, PROT_READ | PROT_WRITE,
                 MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  const uintptr_t start = reinterpret_cast<uintptr_t>(p);
  const uintptr_t aligned = (start + huge_block_size - 1) & ~(huge_block_size - 1);
  if (aligned > start) munmap(p, aligned - start);
  const size_t tail = huge_block_size - (aligned - start);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + bytes), tail);
  madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}

void free_huge_block(void* block, size_t bytes) { munmap(block, bytes); }
