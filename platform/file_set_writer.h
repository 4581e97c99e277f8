#ifndef SCENARIO_BUILDER_PLATFORM_FILE_SET_WRITER_H_
#define SCENARIO_BUILDER_PLATFORM_FILE_SET_WRITER_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/buffered_writer.h"
#include "platform/file_system.h"

namespace sb {

// Writes a set of files so that their directories end up holding either the
// whole old set or the whole new one:
//  - each file goes to a new temporary beside its target; no name that
//    stands already (a planted link, a stray file) is opened or written;
//  - every temporary is written, handed to the system and closed, with every
//    error seen, before the first target is replaced;
//  - the targets are then replaced in the order they were added, while the
//    directories are locked against other runs doing the same, with the old
//    files kept under second names; if a replacement fails, the targets
//    already replaced get their old files back (or lose the new one where
//    there was none);
//  - no temporary or kept file remains afterwards, on any path.
// What cannot be helped: a crash or power cut between two replacements
// leaves the set mixed, and leaves the temporaries and kept files behind.
class FileSetWriter {
 public:
  explicit FileSetWriter(FileSystem& file_system) : file_system_(file_system) {}

  // Starts a file; null (and error()) when it cannot be created.  The writer
  // stays valid until commit().  `expected_bytes`, when not 0, is the size
  // the file will have, which lets the system set its space aside at once.
  BufferedWriter* add(const std::string& target, uint64_t expected_bytes = 0);
  // Completes every file and replaces the targets; false (and error(), which
  // names the file) when anything failed, the old set then in place.
  bool commit();
  const std::string& error() const { return error_; }

 private:
  struct Entry {
    std::unique_ptr<OutputFile> file;
    std::unique_ptr<BufferedWriter> writer;
    std::string kept;  // the old file's second name; empty when there was none
  };

  bool finish_all();
  std::vector<std::unique_ptr<DirectoryLock>> lock_directories();
  bool keep_old_files();
  // Puts the old files back: removes the new file from the first `replaced`
  // targets that had none, and brings back every kept file.
  void restore(size_t replaced);
  void remove_kept_files();

  FileSystem& file_system_;
  std::vector<Entry> entries_;
  std::string error_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_FILE_SET_WRITER_H_
