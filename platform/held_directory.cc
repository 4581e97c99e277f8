#include "platform/held_directory.h"

#include "platform/paths.h"

namespace sb {
namespace {

bool is_separator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// `directory` without the separators that end it ("w//" and "w/" are "w"),
// the root staying itself.
std::string without_final_separators(std::string directory) {
  while (directory.size() > 1 && is_separator(directory.back())) directory.pop_back();
  return directory;
}

}  // namespace

std::unique_ptr<HeldDirectory> HeldDirectory::take(FileSystem& file_system,
                                                   const std::string& directory,
                                                   std::string* error) {
  const std::string prefix = join_path(without_final_separators(directory), "");
  std::unique_ptr<DirectoryLock> lock = file_system.lock_directory(prefix, error);
  if (lock == nullptr) return nullptr;
  return std::unique_ptr<HeldDirectory>(new HeldDirectory(file_system, prefix, std::move(lock)));
}

std::unique_ptr<DirectoryLock> HeldDirectory::lock_directory(const std::string& directory,
                                                             std::string* error) {
  if (without_final_separators(directory) == without_final_separators(directory_)) {
    return std::make_unique<DirectoryLock>();
  }
  return inner_.lock_directory(directory, error);
}

bool HeldDirectory::exists(const std::string& path) { return inner_.exists(path); }

bool HeldDirectory::read_file(const std::string& path, const ReadLimit& limit,
                              std::string* contents, std::string* error) {
  return inner_.read_file(path, limit, contents, error);
}

bool HeldDirectory::file_size(const std::string& path, uint64_t* bytes, std::string* error) {
  return inner_.file_size(path, bytes, error);
}

bool HeldDirectory::remove(const std::string& path) { return inner_.remove(path); }

std::unique_ptr<OutputFile> HeldDirectory::create(const std::string& target, std::string* error) {
  return inner_.create(target, error);
}

bool HeldDirectory::keep_aside(const std::string& path, std::string* kept, std::string* error) {
  return inner_.keep_aside(path, kept, error);
}

bool HeldDirectory::replace(const std::string& from, const std::string& to, std::string* error) {
  return inner_.replace(from, to, error);
}

bool HeldDirectory::list_files(const std::string& directory, std::vector<std::string>* names,
                               std::string* error) {
  return inner_.list_files(directory, names, error);
}

bool HeldDirectory::same_file(const std::string& a, const std::string& b) {
  return inner_.same_file(a, b);
}

bool HeldDirectory::stands(const std::string& path) { return inner_.stands(path); }

bool HeldDirectory::remove_empty_directory(const std::string& directory) {
  return inner_.remove_empty_directory(directory);
}

bool HeldDirectory::is_directory(const std::string& path) { return inner_.is_directory(path); }

bool HeldDirectory::make_directories(const std::string& directory, std::string* error) {
  return inner_.make_directories(directory, error);
}

bool HeldDirectory::rename(const std::string& from, const std::string& to, std::string* error) {
  return inner_.rename(from, to, error);
}

}  // namespace sb
