#include "util/zeroed_buffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>
#include <utility>
#include <vector>

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
#if defined(MADV_POPULATE_WRITE)
#define SB_FILL_AHEAD 1
#endif
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

#if defined(SB_FILL_AHEAD)
constexpr size_t kSmallestFilledAhead = size_t{4} << 20;
constexpr uintptr_t kPage = 4096;

// Asks the kernel to fault in, writable, the pages that hold bytes
// [begin, end) of the buffer at `data`.
void populate(char* data, size_t begin, size_t end) {
  if (begin >= end) return;
  const auto first = reinterpret_cast<uintptr_t>(data + begin) / kPage * kPage;
  const auto last = reinterpret_cast<uintptr_t>(data + end);
  madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
}

void fill_in_steps(const std::stop_token& stop, char* data,
                   const std::vector<ZeroedBuffer::Region>& regions) {
  size_t longest = 0;
  for (const ZeroedBuffer::Region& region : regions) longest = std::max(longest, region.length);
  const size_t steps = (longest + kHugePage - 1) / kHugePage;
  for (size_t step = 0; step < steps && !stop.stop_requested(); ++step) {
    for (const ZeroedBuffer::Region& region : regions) {
      const size_t begin = region.length * step / steps;
      const size_t end = region.length * (step + 1) / steps;
      populate(data, region.offset + begin, region.offset + end);
    }
  }
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
      mapped_(std::exchange(other.mapped_, 0)),
      filler_(std::move(other.filler_)) {}

ZeroedBuffer& ZeroedBuffer::operator=(ZeroedBuffer other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  std::swap(region_, other.region_);
  std::swap(mapped_, other.mapped_);
  std::swap(filler_, other.filler_);
  return *this;
}

void ZeroedBuffer::fill_ahead(std::initializer_list<Region> regions) {
#if defined(SB_FILL_AHEAD)
  if (mapped_ == 0 || size_ < kSmallestFilledAhead) return;
  std::vector<Region> parts;
  for (const Region& region : regions) {
    if (region.offset < size_) {
      parts.push_back({region.offset, std::min(region.length, size_ - region.offset)});
    }
  }
  try {
    filler_ = std::jthread(fill_in_steps, data_, std::move(parts));
  } catch (const std::system_error&) {
    // No thread to be had: the pages are filled in as they are first written.
  }
#else
  static_cast<void>(regions);
#endif
}

ZeroedBuffer::~ZeroedBuffer() {
  // The helper goes first: its requests name the pages released below.
  if (filler_.joinable()) {
    filler_.request_stop();
    filler_.join();
  }
#if defined(SB_MAP_HUGE_PAGES)
  if (mapped_ != 0) {
    munmap(region_, mapped_);
    return;
  }
#endif
  std::free(data_);
}

}  // namespace sb
