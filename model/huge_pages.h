// An allocator for the route plan's arrays (18 MB for the longest route): a block of 1 MB or
// more is mapped in whole huge pages, so filling it takes a few page faults instead of
// thousands. The faults of 4 KB pages were most of a long route's compile time. Every block
// comes zeroed, so value-initialising its elements writes nothing: `resize` makes no second
// pass over memory the kernel has just cleared.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

#include "platform/huge_block.h"

template <class T>
struct huge_page_allocator {
  using value_type = T;
  static constexpr size_t kHuge = huge_block_size;

  huge_page_allocator() = default;
  template <class U>
  huge_page_allocator(const huge_page_allocator<U>&) {}

  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes >= kHuge / 2) {
      void* block = allocate_huge_block(mapped(bytes));
      if (!block) throw std::bad_alloc();
      return static_cast<T*>(block);
    }
    return zeroed(std::allocator<T>().allocate(n), bytes);
  }

  void deallocate(T* p, size_t n) {
    const size_t bytes = n * sizeof(T);
    if (bytes >= kHuge / 2) {
      free_huge_block(p, mapped(bytes));
      return;
    }
    std::allocator<T>().deallocate(p, n);
  }

  // Every block is zeroed when allocated: value-initialising a trivial element leaves it so.
  // An element destroyed is not cleared, so a vector that shrinks and grows again within its
  // capacity gets back the old values: grow only fresh vectors (route_plan_table::create).
  template <class U>
  void construct(U* p) {
    if constexpr (std::is_trivially_default_constructible_v<U>)
      ::new (static_cast<void*>(p)) U;
    else
      ::new (static_cast<void*>(p)) U();
  }

  template <class U>
  bool operator==(const huge_page_allocator<U>&) const { return true; }

 private:
  static T* zeroed(T* p, size_t bytes) {
    std::memset(static_cast<void*>(p), 0, bytes);
    return p;
  }
  static size_t mapped(size_t bytes) { return (bytes + kHuge - 1) & ~(kHuge - 1); }
};
