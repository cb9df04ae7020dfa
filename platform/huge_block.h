// Large zeroed blocks straight from the system, in whole huge pages where it has them.
#pragma once

#include <cstddef>

// A zeroed block of `bytes` (a multiple of `huge_block_size`) aligned to it; null when the
// system refuses.
void* allocate_huge_block(size_t bytes);
void free_huge_block(void* block, size_t bytes);
constexpr size_t huge_block_size = size_t{2} << 20;
