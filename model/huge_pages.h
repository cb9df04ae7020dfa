// An allocator for the route plan's arrays (18 MB for the longest route): a block of 1 MB or
// more is mapped in whole huge pages, so filling it takes a few page faults instead of
// thousands. The faults of 4 KB pages were most of a long route's compile time. Every block
// comes zeroed, so value-initialising its elements writes nothing: `resize` makes no second
// pass over memory the kernel has just cleared.
#pragma once

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

template <class T>
struct huge_page_allocator {
  using value_type = T;
  static constexpr size_t kHuge = size_t{2} << 20;

  huge_page_allocator() = default;
  template <class U>
  huge_page_allocator(const huge_page_allocator<U>&) {}

  T* allocate(size_t n) {
    const size_t bytes = n * sizeof(T);
#if defined(__linux__)
    if (bytes >= kHuge / 2) return mapped_block(bytes);
#endif
    // Elsewhere than Linux every block comes from the plain allocator, zeroed all the same.
    return zeroed(std::allocator<T>().allocate(n), bytes);
  }

  void deallocate(T* p, size_t n) {
#if defined(__linux__)
    const size_t bytes = n * sizeof(T);
    if (bytes >= kHuge / 2) {
      munmap(p, mapped(bytes));
      return;
    }
#endif
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
#if defined(__linux__)
  static T* mapped_block(size_t bytes) {
    // The mapping is a whole number of huge pages, aligned to one: only aligned 2 MB spans
    // can be huge pages.
    void* p = mmap(nullptr, mapped(bytes) + kHuge, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    const uintptr_t start = reinterpret_cast<uintptr_t>(p);
    const uintptr_t aligned = (start + kHuge - 1) & ~(kHuge - 1);
    if (aligned > start) munmap(p, aligned - start);
    const size_t tail = kHuge - (aligned - start);
    if (tail > 0) munmap(reinterpret_cast<void*>(aligned + mapped(bytes)), tail);
    madvise(reinterpret_cast<void*>(aligned), mapped(bytes), MADV_HUGEPAGE);
    return reinterpret_cast<T*>(aligned);
  }
#endif
  static T* zeroed(T* p, size_t bytes) {
    std::memset(static_cast<void*>(p), 0, bytes);
    return p;
  }
  static size_t mapped(size_t bytes) { return (bytes + kHuge - 1) & ~(kHuge - 1); }
};
