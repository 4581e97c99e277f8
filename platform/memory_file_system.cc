#include "platform/memory_file_system.h"

#include "platform/paths.h"

namespace sb {
namespace {

class MemoryOutputFile : public OutputFile {
 public:
  MemoryOutputFile(MemoryFileSystem& file_system, std::string target, std::string temporary)
      : file_system_(file_system), target_(std::move(target)), temporary_(std::move(temporary)) {}

  ~MemoryOutputFile() override {
    if (!committed_) file_system_.files.erase(temporary_);
  }

  bool write(const char* data, size_t size) override {
    if (!error_.empty() || finished_) return false;
    if (size > file_system_.space_left) {
      error_ = "cannot write " + target_ + ": No space left on device";
      return false;
    }
    file_system_.space_left -= size;
    file_system_.files[temporary_].append(data, size);
    return true;
  }

  void expect_size(uint64_t bytes) override {
    file_system_.expected_sizes[target_] = bytes;
    std::string& contents = file_system_.files[temporary_];
    if (bytes <= contents.max_size()) contents.reserve(static_cast<size_t>(bytes));
  }

  bool finish() override {
    if (!finished_) {
      finished_ = true;
      file_system_.log.push_back("finish " + target_);
      if (file_system_.failing_close.count(target_) != 0 && error_.empty()) {
        error_ = "cannot write " + target_ + ": Input/output error";
      }
    }
    return error_.empty();
  }

  bool commit() override {
    if (committed_) return true;
    if (!finish()) return false;
    if (!file_system_.replace(temporary_, target_, &error_)) return false;
    committed_ = true;
    return true;
  }

  const std::string& target() const override { return target_; }
  const std::string& error() const override { return error_; }

 private:
  MemoryFileSystem& file_system_;
  std::string target_;
  std::string temporary_;
  bool finished_ = false;
  bool committed_ = false;
  std::string error_;
};

class MemoryDirectoryLock : public DirectoryLock {
 public:
  MemoryDirectoryLock(MemoryFileSystem& file_system, std::string directory)
      : file_system_(file_system), directory_(std::move(directory)) {}
  ~MemoryDirectoryLock() override {
    file_system_.locked.erase(directory_);
    file_system_.log.push_back("unlock " + directory_);
  }

 private:
  MemoryFileSystem& file_system_;
  std::string directory_;
};

}  // namespace

bool MemoryFileSystem::exists(const std::string& path) { return files.count(path) != 0; }

bool MemoryFileSystem::read_file(const std::string& path, std::string* contents,
                                 std::string* error) {
  auto it = files.find(path);
  if (it == files.end()) {
    *error = "cannot read " + path + ": No such file or directory";
    return false;
  }
  if (unreadable.count(path) != 0) {
    *error = "cannot read " + path + ": Permission denied";
    return false;
  }
  *contents = it->second;
  return true;
}

bool MemoryFileSystem::file_size(const std::string& path, uint64_t* bytes, std::string* error) {
  auto it = files.find(path);
  if (it == files.end()) {
    *error = "cannot read " + path + ": No such file or directory";
    return false;
  }
  auto told = told_sizes.find(path);
  *bytes = told != told_sizes.end() ? told->second : it->second.size();
  return true;
}

bool MemoryFileSystem::remove(const std::string& path) {
  if (files.erase(path) != 0) removed.push_back(path);
  return true;
}

std::string MemoryFileSystem::new_name_beside(const std::string& path, const char* suffix) {
  return directory_prefix(path) + ".sb-" + std::to_string(++names_given_) + suffix;
}

bool MemoryFileSystem::next_replace_fails() { return failing_replaces.count(replaces_++) != 0; }

std::unique_ptr<OutputFile> MemoryFileSystem::create(const std::string& target,
                                                     std::string* error) {
  if (unwritable.count(target) != 0) {
    *error = "cannot write " + target + ": Permission denied";
    return nullptr;
  }
  log.push_back("create " + target);
  const std::string temporary = new_name_beside(target, ".tmp");
  files[temporary];
  return std::make_unique<MemoryOutputFile>(*this, target, temporary);
}

bool MemoryFileSystem::keep_aside(const std::string& path, std::string* kept, std::string* error) {
  log.push_back("keep " + path);
  kept->clear();
  if (unkeepable.count(path) != 0) {
    *error = "cannot keep the old " + path + ": Operation not permitted";
    return false;
  }
  auto it = files.find(path);
  if (it == files.end()) return true;
  *kept = new_name_beside(path, ".old");
  files[*kept] = it->second;
  return true;
}

bool MemoryFileSystem::replace(const std::string& from, const std::string& to, std::string* error) {
  log.push_back("replace " + to);
  auto it = files.find(from);
  if (next_replace_fails()) {
    *error = "cannot replace " + to + ": Device or resource busy";
    return false;
  }
  if (it == files.end()) {
    *error = "cannot replace " + to + ": No such file or directory";
    return false;
  }
  std::string contents = std::move(it->second);
  files.erase(it);
  files[to] = std::move(contents);
  return true;
}

std::unique_ptr<DirectoryLock> MemoryFileSystem::lock_directory(const std::string& directory,
                                                                std::string* error) {
  log.push_back("lock " + directory);
  if (unlockable.count(directory) != 0) {
    *error = "cannot lock " + directory + ": Permission denied";
    return nullptr;
  }
  locked.insert(directory);
  return std::make_unique<MemoryDirectoryLock>(*this, directory);
}

bool MemoryFileSystem::list_files(const std::string& directory, std::vector<std::string>* names,
                                  std::string* /*error*/) {
  const std::string prefix = join_path(directory, "");
  names->clear();
  for (const auto& [path, contents] : files) {
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string name = path.substr(prefix.size());
    if (name.find(kPathSeparator) == std::string::npos) names->push_back(name);
  }
  return true;
}

bool MemoryFileSystem::is_directory(const std::string& path) {
  if (directories.count(path) != 0) return true;
  const std::string prefix = join_path(path, "");
  const auto it = files.lower_bound(prefix);
  return it != files.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

bool MemoryFileSystem::make_directories(const std::string& directory, std::string* error) {
  if (is_directory(directory)) return true;
  if (files.count(directory) != 0 || uncreatable.count(directory) != 0) {
    *error = "cannot create the directory " + directory + ": " +
             (files.count(directory) != 0 ? "a file stands there" : "Permission denied");
    return false;
  }
  directories.insert(directory);
  return true;
}

bool MemoryFileSystem::rename(const std::string& from, const std::string& to, std::string* error) {
  const auto it = files.find(from);
  if (it == files.end() || unrenamable.count(from) != 0 || files.count(to) != 0) {
    *error = "cannot rename " + from + " to " + to + ": " +
             (it == files.end()      ? "No such file or directory"
              : files.count(to) != 0 ? "that name is taken"
                                     : "Permission denied");
    return false;
  }
  std::string contents = std::move(it->second);
  files.erase(it);
  files[to] = std::move(contents);
  return true;
}

}  // namespace sb
