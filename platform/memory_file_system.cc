#include "platform/memory_file_system.h"

#include "platform/program_dir.h"

namespace sb {
namespace {

class MemoryOutputFile : public OutputFile {
 public:
  MemoryOutputFile(MemoryFileSystem& file_system, std::string target)
      : file_system_(file_system), target_(std::move(target)) {}

  bool write(const char* data, size_t size) override {
    if (!error_.empty()) return false;
    if (size > file_system_.space_left) {
      error_ = "cannot write " + target_ + ": No space left on device";
      return false;
    }
    file_system_.space_left -= size;
    contents_.append(data, size);
    return true;
  }

  void expect_size(uint64_t bytes) override {
    file_system_.expected_sizes[target_] = bytes;
    if (bytes <= contents_.max_size()) contents_.reserve(static_cast<size_t>(bytes));
  }

  bool commit() override {
    if (!error_.empty()) return false;
    file_system_.files[target_] = std::move(contents_);
    return true;
  }

  const std::string& target() const override { return target_; }
  const std::string& error() const override { return error_; }

 private:
  MemoryFileSystem& file_system_;
  std::string target_;
  std::string contents_;
  std::string error_;
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

bool MemoryFileSystem::remove(const std::string& path) {
  if (files.erase(path) != 0) removed.push_back(path);
  return true;
}

std::unique_ptr<OutputFile> MemoryFileSystem::create(const std::string& target,
                                                     std::string* error) {
  if (unwritable.count(target) != 0) {
    *error = "cannot write " + target + ": Permission denied";
    return nullptr;
  }
  return std::make_unique<MemoryOutputFile>(*this, target);
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
             (it == files.end()         ? "No such file or directory"
              : files.count(to) != 0    ? "that name is taken"
                                        : "Permission denied");
    return false;
  }
  std::string contents = std::move(it->second);
  files.erase(it);
  files[to] = std::move(contents);
  return true;
}

}  // namespace sb
