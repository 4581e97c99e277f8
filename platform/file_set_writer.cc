#include "platform/file_set_writer.h"

#include <set>

#include "platform/paths.h"

namespace sb {

BufferedWriter* FileSetWriter::add(const std::string& target, uint64_t expected_bytes) {
  if (!error_.empty()) return nullptr;
  std::string error;
  std::unique_ptr<OutputFile> file = file_system_.create(target, &error);
  if (file == nullptr) {
    error_ = error;
    return nullptr;
  }
  if (expected_bytes != 0) file->expect_size(expected_bytes);
  auto writer = std::make_unique<BufferedWriter>(*file);
  BufferedWriter* result = writer.get();
  entries_.push_back({std::move(file), std::move(writer), {}});
  return result;
}

bool FileSetWriter::finish_all() {
  for (Entry& entry : entries_) {
    if (!entry.writer->flush() || !entry.file->finish()) {
      error_ = entry.file->error();
      return false;
    }
  }
  return true;
}

// One lock per directory, taken in the order of their names so that two
// runs over the same directories cannot wait for each other.
std::vector<std::unique_ptr<DirectoryLock>> FileSetWriter::lock_directories() {
  std::set<std::string> directories;
  for (const Entry& entry : entries_) directories.insert(directory_prefix(entry.file->target()));
  std::vector<std::unique_ptr<DirectoryLock>> locks;
  for (const std::string& directory : directories) {
    std::string error;
    std::unique_ptr<DirectoryLock> lock = file_system_.lock_directory(directory, &error);
    if (lock == nullptr) {
      error_ = error;
      locks.clear();
      return locks;
    }
    locks.push_back(std::move(lock));
  }
  return locks;
}

bool FileSetWriter::keep_old_files() {
  for (Entry& entry : entries_) {
    std::string error;
    if (!file_system_.keep_aside(entry.file->target(), &entry.kept, &error)) {
      error_ = error;
      return false;
    }
  }
  return true;
}

void FileSetWriter::restore(size_t replaced) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    Entry& entry = entries_[i];
    const std::string& target = entry.file->target();
    if (entry.kept.empty()) {
      if (i < replaced) file_system_.remove(target);
      continue;
    }
    std::string error;
    if (file_system_.replace(entry.kept, target, &error)) {
      // Both names may have held the same file: the kept one then stays.
      file_system_.remove(entry.kept);
      entry.kept.clear();
    } else {
      error_ +=
          "; the old file could not be put back and stays as " + entry.kept + " (" + error + ")";
    }
  }
}

void FileSetWriter::remove_kept_files() {
  for (Entry& entry : entries_) {
    if (!entry.kept.empty()) file_system_.remove(entry.kept);
  }
}

bool FileSetWriter::commit() {
  bool done = error_.empty() && finish_all();
  if (done) {
    const std::vector<std::unique_ptr<DirectoryLock>> locks = lock_directories();
    done = !locks.empty() || entries_.empty();
    if (done && !keep_old_files()) {
      restore(0);
      done = false;
    }
    for (size_t i = 0; done && i < entries_.size(); ++i) {
      if (!entries_[i].file->commit()) {
        error_ = entries_[i].file->error();
        restore(i);
        done = false;
      }
    }
    if (done) remove_kept_files();
  }
  // Destroying the files removes the temporaries that were not committed.
  entries_.clear();
  return done;
}

}  // namespace sb
