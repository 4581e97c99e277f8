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

BufferedWriter* FileSetWriter::add(const std::string& target, uint64_t expected_bytes) {
  std::string error;
  std::unique_ptr<OutputFile> file = file_system_.create(target, &error);
  if (file == nullptr) {
    if (error_.empty()) error_ = error;
    return nullptr;
  }
  if (expected_bytes != 0) file->expect_size(expected_bytes);
  auto writer = std::make_unique<BufferedWriter>(*file);
  BufferedWriter* result = writer.get();
  entries_.push_back({std::move(file), std::move(writer)});
  return result;
}

bool FileSetWriter::commit() {
  if (!error_.empty()) return false;
  for (Entry& entry : entries_) {
    if (!entry.writer->flush()) {
      error_ = entry.file->error();
      return false;
    }
  }
  for (Entry& entry : entries_) {
    if (!entry.file->commit()) {
      error_ = entry.file->error();
      return false;
    }
  }
  return true;
}

}  // namespace sb
