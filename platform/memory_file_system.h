#ifndef SCENARIO_BUILDER_PLATFORM_MEMORY_FILE_SYSTEM_H_
#define SCENARIO_BUILDER_PLATFORM_MEMORY_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace sb {

// Files held in memory, for tests and fuzzing, with faults to inject.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  // Paths that cannot be read although they exist.
  std::set<std::string> unreadable;
  // Targets whose writing fails at once, as in a read-only directory.
  std::set<std::string> unwritable;
  // Bytes that may still be written, over all files, before the disk is full.
  size_t space_left = static_cast<size_t>(-1);
  // The size each target was announced to have, by its path.
  std::map<std::string, uint64_t> expected_sizes;
  // Deleted paths, in order.
  std::vector<std::string> removed;
  // Directories that stand; make_directories adds to them.  A directory
  // holding a file stands too.
  std::set<std::string> directories;
  // Directories that cannot be created, as under a read-only parent.
  std::set<std::string> uncreatable;
  // Paths that cannot be renamed although they exist.
  std::set<std::string> unrenamable;

  bool exists(const std::string& path) override;
  bool read_file(const std::string& path, std::string* contents, std::string* error) override;
  bool remove(const std::string& path) override;
  std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) override;
  // The files whose path is the directory, the separator and a name.
  bool list_files(const std::string& directory, std::vector<std::string>* names,
                  std::string* error) override;
  bool is_directory(const std::string& path) override;
  bool make_directories(const std::string& directory, std::string* error) override;
  bool rename(const std::string& from, const std::string& to, std::string* error) override;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_MEMORY_FILE_SYSTEM_H_
