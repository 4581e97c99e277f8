#ifndef SCENARIO_BUILDER_PLATFORM_FILE_SYSTEM_H_
#define SCENARIO_BUILDER_PLATFORM_FILE_SYSTEM_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// A file being written: bytes go to a new temporary of a name of its own in
// the target's directory until commit() moves it over the target.
// Destroying an uncommitted file removes the temporary.
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
  // Hands every byte to the system and closes the temporary; false (with
  // error()) when a write or the close failed.  Later calls give the same
  // answer.
  virtual bool finish() = 0;
  // finish(), then renames the temporary over the target: whatever stood at
  // the target's name (a file, a link) is replaced, never written through.
  virtual bool commit() = 0;
  virtual const std::string& target() const = 0;
  virtual const std::string& error() const = 0;
};

// Held while files of a directory are being replaced; released when destroyed.
class DirectoryLock {
 public:
  virtual ~DirectoryLock() = default;
};

// The most bytes a read may take, and what is read ("a source text", "a
// records file"), for the message that refuses more.
struct ReadLimit {
  uint64_t most_bytes = 0;
  std::string_view what;
};

// The message refusing `path` for holding more than `limit` allows.
inline std::string too_long_message(const std::string& path, const ReadLimit& limit) {
  return "cannot read " + path + ": more than " + std::to_string(limit.most_bytes) +
         " bytes, the most " + std::string(limit.what) + " may hold";
}

// The program's only way to the file system, so that readers and writers can
// be tested on in-memory text and faults can be injected.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool exists(const std::string& path) = 0;
  // Reads a whole file, a pipe or a device until its end, but never more
  // than limit.most_bytes + 1 bytes, whatever size the file tells: one that
  // holds more is refused ("cannot read P: more than N bytes, the most a
  // source text may hold").  On failure returns false and says why in
  // *error.
  virtual bool read_file(const std::string& path, const ReadLimit& limit, std::string* contents,
                         std::string* error) = 0;
  // The size of a regular file in bytes, found without reading it, so that
  // a reader can refuse a file too large for what it holds before taking
  // its bytes; false and *error when it cannot be had (a pipe or a device
  // has none).
  virtual bool file_size(const std::string& path, uint64_t* bytes, std::string* error) = 0;
  // Deletes a file (a link itself, not what it points to); true when it is
  // gone afterwards.
  virtual bool remove(const std::string& path) = 0;
  // Starts writing `target` through a new temporary beside it, created
  // where no name stood before; null and *error (naming the target) when
  // it cannot be created or a directory stands at the target.
  virtual std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) = 0;
  // Makes what stands at `path` reachable under a new name beside it as
  // well (*kept), so that it can be put back with replace() after `path`
  // has been replaced.  *kept is empty when nothing stands at `path`.  Where
  // the system cannot give a file a second name, the file is moved to *kept.
  virtual bool keep_aside(const std::string& path, std::string* kept, std::string* error) = 0;
  // Renames `from` over `to`, replacing what stood at `to`; false and
  // *error (naming `to`) on failure.
  virtual bool replace(const std::string& from, const std::string& to, std::string* error) = 0;
  // Waits until no other program of ours replaces files in `directory`, and
  // keeps it so until the lock is destroyed.  Null and *error on failure.
  virtual std::unique_ptr<DirectoryLock> lock_directory(const std::string& directory,
                                                        std::string* error) = 0;
  // Names (without the directory) of the regular files in `directory`, in
  // no particular order; false and *error when it cannot be listed.
  virtual bool list_files(const std::string& directory, std::vector<std::string>* names,
                          std::string* error) {
    (void)names;
    *error = "cannot list " + directory + ": not supported";
    return false;
  }
  // True when `a` and `b` both stand and are one file however each is
  // named (another spelling of the path, a link, a second hard link): on
  // disk the same device and inode, on Windows the same volume and file
  // index.  Here, where files have no identity but their names: the same
  // name of a file that stands.
  virtual bool same_file(const std::string& a, const std::string& b) { return a == b && exists(a); }
  // True when anything stands at `path`: a file, a directory, a link (one
  // that points nowhere or to a directory too), a named pipe, a device.
  virtual bool stands(const std::string& path) { return exists(path) || is_directory(path); }
  // Removes `directory` if it is empty; true when it is gone afterwards.
  virtual bool remove_empty_directory(const std::string& directory) {
    (void)directory;
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
