#include "platform/buffered_writer.h"

#include <cstring>

namespace sb {

BufferedWriter::BufferedWriter(OutputFile& file, size_t capacity)
    : file_(file), buffer_(capacity < kLeastCapacity ? kLeastCapacity : capacity) {}

void BufferedWriter::put(std::string_view bytes) {
  if (bytes.size() > buffer_.size()) {
    flush();
    if (ok_) ok_ = file_.write(bytes.data(), bytes.size());
    return;
  }
  reserve(bytes.size());
  std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

bool BufferedWriter::flush() {
  if (ok_ && used_ > 0) ok_ = file_.write(buffer_.data(), used_);
  used_ = 0;
  return ok_;
}

}  // namespace sb
