#ifndef SCENARIO_BUILDER_PLATFORM_HELD_DIRECTORY_H_
#define SCENARIO_BUILDER_PLATFORM_HELD_DIRECTORY_H_

#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace sb {

// The lock of one directory held across a run of several steps (writing
// texts, reading them back, deleting them, writing the files made from
// them), so that another run into the same directory waits for the whole
// run rather than for each set of files.  Its file system passes every call
// to the one it was taken from, except that a lock of the held directory is
// granted at once: the set writers of the steps take it as usual without
// waiting for their own run.  The lock is released when this is destroyed.
class HeldDirectory : public FileSystem {
 public:
  // Waits for the lock of `directory`, which must stand; null and *error
  // when it cannot be had.
  static std::unique_ptr<HeldDirectory> take(FileSystem& file_system, const std::string& directory,
                                             std::string* error);

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
  bool list_files(const std::string& directory, std::vector<std::string>* names,
                  std::string* error) override;
  bool same_file(const std::string& a, const std::string& b) override;
  bool stands(const std::string& path) override;
  bool remove_empty_directory(const std::string& directory) override;
  bool is_directory(const std::string& path) override;
  bool make_directories(const std::string& directory, std::string* error) override;
  bool rename(const std::string& from, const std::string& to, std::string* error) override;

 private:
  HeldDirectory(FileSystem& file_system, std::string directory, std::unique_ptr<DirectoryLock> lock)
      : inner_(file_system), directory_(std::move(directory)), lock_(std::move(lock)) {}

  FileSystem& inner_;
  std::string directory_;  // as a prefix: the name and a separator
  std::unique_ptr<DirectoryLock> lock_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_HELD_DIRECTORY_H_
