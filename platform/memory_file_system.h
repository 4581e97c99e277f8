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
// Temporaries and kept files stand in `files` under names of their own
// (".sb-1.tmp", ".sb-2.old" beside their target) while they exist.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  // Paths that cannot be read although they exist.
  std::set<std::string> unreadable;
  // Targets whose writing fails at once, as in a read-only directory.
  std::set<std::string> unwritable;
  // Targets whose temporary fails when it is closed, as a full disk that
  // shows only then.
  std::set<std::string> failing_close;
  // Directories (as prefixes, "/d/") that cannot be locked.
  std::set<std::string> unlockable;
  // Paths whose old file cannot be kept aside.
  std::set<std::string> unkeepable;
  // Calls of replace() and commit() that fail, counted from 0 in the order
  // they come, as a busy target does.
  std::set<int> failing_replaces;
  // Bytes that may still be written, over all files, before the disk is full.
  size_t space_left = static_cast<size_t>(-1);
  // The size each target was announced to have, by its path.
  std::map<std::string, uint64_t> expected_sizes;
  // Deleted paths, in order.
  std::vector<std::string> removed;
  // Sizes that file_size() tells instead of the contents' own, as a sparse
  // file on disk tells a size far beyond the bytes it stores.
  std::map<std::string, uint64_t> told_sizes;
  // What was done, in order: "create T", "finish T", "keep P", "replace P",
  // "lock D", "unlock D" (T a target, P the path replaced or kept).
  std::vector<std::string> log;
  // Directories locked now.
  std::set<std::string> locked;
  // Directories that stand; make_directories adds to them.  A directory
  // holding a file stands too.
  std::set<std::string> directories;
  // Directories that cannot be created, as under a read-only parent.
  std::set<std::string> uncreatable;
  // Paths that cannot be renamed although they exist.
  std::set<std::string> unrenamable;

  bool exists(const std::string& path) override;
  bool read_file(const std::string& path, const ReadLimit& limit, std::string* contents,
                 std::string* error) override;
  bool file_size(const std::string& path, uint64_t* bytes, std::string* error) override;
  bool remove(const std::string& path) override;
  std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) override;
  bool keep_aside(const std::string& path, std::string* kept, std::string* error) override;
  bool replace(const std::string& from, const std::string& to, std::string* error) override;
  std::unique_ptr<DirectoryLock> lock_directory(const std::string& directory,
                                                std::string* error) override;
  // The files whose path is the directory, the separator and a name.
  bool list_files(const std::string& directory, std::vector<std::string>* names,
                  std::string* error) override;

  // A new name beside `path` for a temporary or a kept file.
  std::string new_name_beside(const std::string& path, const char* suffix);
  // Whether the next replacement fails; counts it.
  bool next_replace_fails();

 private:
  int names_given_ = 0;
  int replaces_ = 0;
  bool is_directory(const std::string& path) override;
  bool remove_empty_directory(const std::string& directory) override;
  bool make_directories(const std::string& directory, std::string* error) override;
  bool rename(const std::string& from, const std::string& to, std::string* error) override;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_MEMORY_FILE_SYSTEM_H_
