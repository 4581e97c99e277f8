#ifndef SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_
#define SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "util/little_endian.h"

namespace sb {

// Little-endian bytes into a fixed buffer that goes to its file whenever it
// fills, so a file of any size costs one write call per buffer.  The first
// failure sticks: later puts do nothing and ok() stays false.
class BufferedWriter {
 public:
  static constexpr size_t kDefaultCapacity = 1 << 16;
  static constexpr size_t kLeastCapacity = 16;

  explicit BufferedWriter(OutputFile& file, size_t capacity = kDefaultCapacity);

  void put(std::string_view bytes);
  void put_u8(uint8_t value) { put_le(value); }
  void put_u16(uint16_t value) { put_le(value); }
  void put_i16(int16_t value) { put_le(value); }
  void put_i32(int32_t value) { put_le(value); }
  void put_f64(double value) { put_le(value); }

  // Hands what is buffered to the file; false once anything failed.
  bool flush();
  bool ok() const { return ok_; }

 private:
  void reserve(size_t bytes) {
    if (used_ + bytes > buffer_.size()) flush();
  }

  template <typename T>
  void put_le(T value) {
    reserve(sizeof value);
    store_le(buffer_.data() + used_, value);
    used_ += sizeof value;
  }

  OutputFile& file_;
  std::vector<char> buffer_;
  size_t used_ = 0;
  bool ok_ = true;
};

// Writes a set of files so that each target keeps its old contents unless
// every file of the set was written completely; then the new files replace
// the old ones, in the order they were added.
class FileSetWriter {
 public:
  explicit FileSetWriter(FileSystem& file_system) : file_system_(file_system) {}

  // Starts a file; null (and error()) when it cannot be created.  The writer
  // stays valid until commit().  `expected_bytes`, when not 0, is the size
  // the file will have, which lets the system set its space aside at once.
  BufferedWriter* add(const std::string& target, uint64_t expected_bytes = 0);
  // Completes every file and replaces the targets; false (and error(), which
  // names the file) when any of them failed, the targets then untouched.
  bool commit();
  const std::string& error() const { return error_; }

 private:
  struct Entry {
    std::unique_ptr<OutputFile> file;
    std::unique_ptr<BufferedWriter> writer;
  };
  FileSystem& file_system_;
  std::vector<Entry> entries_;
  std::string error_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_BUFFERED_WRITER_H_
