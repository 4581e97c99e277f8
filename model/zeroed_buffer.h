#ifndef SCENARIO_BUILDER_MODEL_ZEROED_BUFFER_H_
#define SCENARIO_BUILDER_MODEL_ZEROED_BUFFER_H_

#include <cstddef>

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

  char* data() { return data_; }
  const char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  void* region_ = nullptr;  // the mapping of a huge-page buffer
  size_t mapped_ = 0;       // its length, 0 for a buffer from calloc
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_ZEROED_BUFFER_H_
