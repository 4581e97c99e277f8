#ifndef SCENARIO_BUILDER_PLATFORM_FILE_SYSTEM_H_
#define SCENARIO_BUILDER_PLATFORM_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sb {

// A file being written: bytes go to a temporary name until commit() moves
// it over its target.  Destroying an uncommitted file removes the temporary.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Appends bytes; false (with error()) once anything has failed.
  virtual bool write(const char* data, size_t size) = 0;
  // Says how many bytes the file will hold, so that the system can set its
  // space aside in one step rather than block by block as writes arrive.
  // Only a hint: the file holds what is written, and a system that cannot
  // reserve space ignores it.
  virtual void expect_size(uint64_t bytes) { (void)bytes; }
  // Closes the temporary and renames it over the target.
  virtual bool commit() = 0;
  virtual const std::string& target() const = 0;
  virtual const std::string& error() const = 0;
};

// The program's only way to the file system, so that readers and writers can
// be tested on in-memory text and faults can be injected.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool exists(const std::string& path) = 0;
  // Reads a whole file; on failure returns false and says why in *error.
  virtual bool read_file(const std::string& path, std::string* contents, std::string* error) = 0;
  // Deletes a file; true when it is gone afterwards.
  virtual bool remove(const std::string& path) = 0;
  // Starts writing `target` through a temporary beside it; null and *error
  // when even the temporary cannot be created.
  virtual std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) = 0;
  // Names (without the directory) of the regular files in `directory`, in
  // no particular order; false and *error when it cannot be listed.
  virtual bool list_files(const std::string& directory, std::vector<std::string>* names,
                          std::string* error) {
    (void)names;
    *error = "cannot list " + directory + ": not supported";
    return false;
  }
  // True when `path` names a directory.
  virtual bool is_directory(const std::string& path) {
    (void)path;
    return false;
  }
  // Creates `directory` and every missing directory above it; true when it
  // stands afterwards, else false and *error naming it.
  virtual bool make_directories(const std::string& directory, std::string* error) {
    *error = "cannot create the directory " + directory + ": not supported";
    return false;
  }
  // Gives a file another name, which no file may hold yet; false and *error
  // naming both when it cannot.
  virtual bool rename(const std::string& from, const std::string& to, std::string* error) {
    *error = "cannot rename " + from + " to " + to + ": not supported";
    return false;
  }
};

// The real file system of the machine.
FileSystem& disk_file_system();

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_FILE_SYSTEM_H_
