#ifndef SCENARIO_BUILDER_MODEL_HUGE_PAGE_ALLOCATOR_H_
#define SCENARIO_BUILDER_MODEL_HUGE_PAGE_ALLOCATOR_H_

#include <cstddef>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>

#include <cstdlib>
#endif

namespace sb {

// An allocator for the arrays that grow with the route (the line trace of a
// long line is 17 MB).  On Linux an array of several megabytes is aligned to
// 2 MB and marked for transparent huge pages, so that the kernel fills it
// with one page fault per 2 MB instead of one per 4 KB; the fault count
// dominated the cost of a long build.  Elsewhere, and for small arrays, it is
// the standard allocator.
template <typename T>
class HugePageAllocator {
 public:
  using value_type = T;

  HugePageAllocator() = default;
  template <typename U>
  HugePageAllocator(const HugePageAllocator<U>&) {}

  T* allocate(size_t n) {
#if defined(__linux__)
    if (const size_t bytes = huge_bytes(n); bytes != 0) {
      void* memory = std::aligned_alloc(kHugePage, bytes);
      if (memory == nullptr) throw std::bad_alloc();
      madvise(memory, bytes, MADV_HUGEPAGE);  // only a hint: ignored where unsupported
      return static_cast<T*>(memory);
    }
#endif
    return std::allocator<T>().allocate(n);
  }

  void deallocate(T* p, size_t n) {
#if defined(__linux__)
    if (huge_bytes(n) != 0) {
      std::free(p);
      return;
    }
#endif
    std::allocator<T>().deallocate(p, n);
  }

  template <typename U>
  bool operator==(const HugePageAllocator<U>&) const {
    return true;
  }

 private:
  static constexpr size_t kHugePage = size_t{2} << 20;

  // The size to allocate in whole huge pages, or 0 when the array is small
  // enough for the standard allocator.
  static size_t huge_bytes(size_t n) {
    if (n > (static_cast<size_t>(-1) - kHugePage) / sizeof(T)) return 0;
    const size_t bytes = n * sizeof(T);
    if (bytes < 2 * kHugePage) return 0;
    return (bytes + kHugePage - 1) / kHugePage * kHugePage;
  }
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_HUGE_PAGE_ALLOCATOR_H_
