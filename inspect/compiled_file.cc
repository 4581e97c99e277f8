#include "inspect/compiled_file.h"

#include <optional>

#include "util/rounding.h"

namespace sb {
namespace {

// "it is 12 bytes, but a cells file is at least 15 bytes", or nothing when
// the size lies within the bounds.
std::optional<std::string> size_fault(uint64_t size, const FileSizeBounds& bounds) {
  if (size >= bounds.least && size <= bounds.most) return std::nullopt;
  std::string limit;
  if (bounds.least == bounds.most) {
    limit = std::to_string(bounds.most);
  } else if (size < bounds.least) {
    limit = "at least " + std::to_string(bounds.least);
  } else {
    limit = "at most " + std::to_string(bounds.most);
  }
  return "it is " + std::to_string(size) + (size == 1 ? " byte" : " bytes") + ", but " +
         bounds.what + " is " + limit + " bytes";
}

}  // namespace

bool read_sized_file(FileSystem& file_system, const std::string& path, const FileSizeBounds& bounds,
                     std::string* bytes, std::string* error) {
  uint64_t size = 0;
  if (!file_system.file_size(path, &size, error)) return false;
  std::optional<std::string> fault = size_fault(size, bounds);
  if (!fault) {
    if (!file_system.read_file(path, {bounds.most, bounds.what}, bytes, error)) return false;
    // The file may have changed since its size was asked.
    fault = size_fault(bytes->size(), bounds);
  }
  if (fault) {
    bytes->clear();
    *error = "cannot read " + path + ": " + *fault;
    return false;
  }
  return true;
}

}  // namespace sb
