#include "inspect/compiled_file.h"

#include <string>

#include "util/rounding.h"

namespace sb {
namespace {

// Whether the size lies within the bounds; when it does not, *fault says
// so: "it is 12 bytes, but a cells file is at least 15 bytes".
bool size_fits(uint64_t size, const FileSizeBounds& bounds, std::string* fault) {
  if (size >= bounds.least && size <= bounds.most) return true;
  std::string limit;
  if (bounds.least == bounds.most) {
    limit = std::to_string(bounds.most);
  } else if (size < bounds.least) {
    limit = "at least " + std::to_string(bounds.least);
  } else {
    limit = "at most " + std::to_string(bounds.most);
  }
  *fault = "it is " + std::to_string(size) + (size == 1 ? " byte" : " bytes") + ", but " +
           bounds.what + " is " + limit + " bytes";
  return false;
}

}  // namespace

bool read_sized_file(FileSystem& file_system, const std::string& path, const FileSizeBounds& bounds,
                     std::string* bytes, std::string* error) {
  uint64_t size = 0;
  if (!file_system.file_size(path, &size, error)) return false;
  std::string fault;
  bool fits = size_fits(size, bounds, &fault);
  if (fits) {
    if (!file_system.read_file(path, {bounds.most, bounds.what}, bytes, error)) return false;
    // The file may have changed since its size was asked.
    fits = size_fits(bytes->size(), bounds, &fault);
  }
  if (!fits) {
    bytes->clear();
    *error = "cannot read " + path + ": " + fault;
    return false;
  }
  return true;
}

}  // namespace sb
