#ifndef SCENARIO_BUILDER_UTIL_ZEROED_BUFFER_H_
#define SCENARIO_BUILDER_UTIL_ZEROED_BUFFER_H_

#include <cstddef>
#include <initializer_list>
#include <thread>

namespace sb {

// A fixed-size byte buffer that starts all zero, for the arrays that grow
// with the route (the line trace of a long line is 20 MB).  The zeros come
// from the system: nothing is written to clear the buffer, and on Linux a
// buffer of 2 MB or more lies on transparent huge pages, so that the kernel
// fills it with one page fault per 2 MB instead of one per 4 KB.
class ZeroedBuffer {
 public:
  ZeroedBuffer() = default;
  explicit ZeroedBuffer(size_t size);
  ZeroedBuffer(const ZeroedBuffer& other);
  ZeroedBuffer(ZeroedBuffer&& other) noexcept;
  ZeroedBuffer& operator=(ZeroedBuffer other) noexcept;
  ~ZeroedBuffer();

  // A part of the buffer: `length` bytes from `offset`.
  struct Region {
    size_t offset = 0;
    size_t length = 0;
  };

  // Has the system fill in the buffer's pages ahead of their first use, on a
  // helper thread, while the caller goes on writing.  The regions are filled
  // side by side from their starts, 2 MB of the longest at a time and as
  // much of the others, the way a caller that writes all of them row by row
  // reaches them; whichever of the two comes to a page first has it filled.
  // Nothing in the buffer changes: this is a hint, which does nothing for a
  // buffer under 4 MB or where the system has no such request.  The helper
  // is stopped and waited for before the buffer goes.
  void fill_ahead(std::initializer_list<Region> regions);

  char* data() { return data_; }
  const char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  void* region_ = nullptr;  // the mapping of a huge-page buffer
  size_t mapped_ = 0;       // its length, 0 for a buffer from calloc
  std::jthread filler_;     // the helper of fill_ahead, if one runs
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_ZEROED_BUFFER_H_
