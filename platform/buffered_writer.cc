#include "platform/buffered_writer.h"

#include <cstring>

namespace sb {

BufferedWriter::BufferedWriter(OutputFile& file, size_t capacity)
    : file_(file), buffer_(capacity < 16 ? 16 : capacity) {}

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

void BufferedWriter::put_u8(uint8_t value) {
  reserve(1);
  buffer_[used_++] = static_cast<char>(value);
}

void BufferedWriter::put_u16(uint16_t value) {
  reserve(2);
  buffer_[used_++] = static_cast<char>(value & 0xFF);
  buffer_[used_++] = static_cast<char>(value >> 8);
}

void BufferedWriter::put_i32(int32_t value) {
  reserve(4);
  const uint32_t bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    buffer_[used_++] = static_cast<char>((bits >> shift) & 0xFF);
  }
}

void BufferedWriter::put_f64(double value) {
  reserve(8);
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int shift = 0; shift < 64; shift += 8) {
    buffer_[used_++] = static_cast<char>((bits >> shift) & 0xFF);
  }
}

bool BufferedWriter::flush() {
  if (ok_ && used_ > 0) ok_ = file_.write(buffer_.data(), used_);
  used_ = 0;
  return ok_;
}

BufferedWriter* FileSetWriter::add(const std::string& target) {
  std::string error;
  std::unique_ptr<OutputFile> file = file_system_.create(target, &error);
  if (file == nullptr) {
    if (error_.empty()) error_ = error;
    return nullptr;
  }
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
