#include "platform/huge_block.h"

#include <windows.h>

// Large pages need a privilege few users hold: plain committed pages, which come zeroed.
void* allocate_huge_block(size_t bytes) {
  return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

void free_huge_block(void* block, size_t) { VirtualFree(block, 0, MEM_RELEASE); }
