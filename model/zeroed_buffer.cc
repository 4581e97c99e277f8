#include "model/zeroed_buffer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

// Under AddressSanitizer every buffer comes from calloc, where an overrun is
// seen; mapped pages have no red zones.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SB_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SB_ADDRESS_SANITIZER 1
#endif
#if defined(__linux__) && !defined(SB_ADDRESS_SANITIZER)
#define SB_MAP_HUGE_PAGES 1
#include <sys/mman.h>
#endif

namespace sb {
namespace {

#if defined(SB_MAP_HUGE_PAGES)
constexpr size_t kHugePage = size_t{2} << 20;

// Anonymous pages, which the kernel hands out zeroed, from a 2 MB boundary
// on: a huge page more than the buffer needs is reserved so that one can be
// found, and stays reserved (address space only) until the buffer goes.
// Null when nothing can be mapped.
char* map_huge_pages(size_t bytes, void** region, size_t* mapped) {
  const size_t reach = (bytes + kHugePage - 1) / kHugePage * kHugePage + kHugePage;
  void* base = mmap(nullptr, reach, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<uintptr_t>(base);
  const uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  madvise(base, reach, MADV_HUGEPAGE);  // a hint only
  *region = base;
  *mapped = reach;
  return reinterpret_cast<char*>(aligned);
}
#endif

}  // namespace

ZeroedBuffer::ZeroedBuffer(size_t size) : size_(size) {
  if (size == 0) return;
#if defined(SB_MAP_HUGE_PAGES)
  if (size >= kHugePage) data_ = map_huge_pages(size, &region_, &mapped_);
#endif
  if (data_ == nullptr) data_ = static_cast<char*>(std::calloc(size, 1));
  if (data_ == nullptr) throw std::bad_alloc();
}

ZeroedBuffer::ZeroedBuffer(const ZeroedBuffer& other) : ZeroedBuffer(other.size_) {
  if (size_ != 0) std::memcpy(data_, other.data_, size_);
}

ZeroedBuffer::ZeroedBuffer(ZeroedBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      region_(std::exchange(other.region_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)) {}

ZeroedBuffer& ZeroedBuffer::operator=(ZeroedBuffer other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  std::swap(region_, other.region_);
  std::swap(mapped_, other.mapped_);
  return *this;
}

ZeroedBuffer::~ZeroedBuffer() {
#if defined(SB_MAP_HUGE_PAGES)
  if (mapped_ != 0) {
    munmap(region_, mapped_);
    return;
  }
#endif
  std::free(data_);
}

}  // namespace sb
