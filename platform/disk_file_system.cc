#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/file_system.h"

#ifdef _WIN32
#include <windows.h>
#endif
#ifdef __linux__
#include <fcntl.h>

#include <limits>
#endif

namespace sb {
namespace {

// The system's own description of the failure just seen: on Windows the text
// and number of the thread's last error ("Accesso negato. (5)"), elsewhere
// the text of `error_number`.
std::string system_description(int error_number) {
#ifdef _WIN32
  const DWORD code = GetLastError();
  if (code != ERROR_SUCCESS) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string description(text != nullptr ? text : "", length);
    LocalFree(text);
    description.erase(description.find_last_not_of(" \r\n") + 1);
    if (description.empty()) description = "system error";
    return description + " (" + std::to_string(code) + ")";
  }
#endif
  return std::strerror(error_number);
}

std::string describe(const std::string& what, const std::string& path, int error_number) {
  return what + " " + path + ": " + system_description(error_number);
}

class DiskOutputFile : public OutputFile {
 public:
  DiskOutputFile(std::string target, std::string temporary, std::FILE* file)
      : target_(std::move(target)), temporary_(std::move(temporary)), file_(file) {}

  ~DiskOutputFile() override {
    if (file_ != nullptr) std::fclose(file_);
    if (!committed_) std::remove(temporary_.c_str());
  }

  bool write(const char* data, size_t size) override {
    if (!error_.empty()) return false;
    if (size == 0) return true;
    if (std::fwrite(data, 1, size, file_) != size) {
      error_ = describe("cannot write", target_, errno);
      return false;
    }
    return true;
  }

  // Linux sets the blocks aside beyond the end of the file, which grows only
  // as it is written; a long file then costs the file system far less work
  // per block.  Where this cannot be done the blocks come as writes arrive.
  void expect_size(uint64_t bytes) override {
#ifdef __linux__
    if (bytes > 0 && bytes <= static_cast<uint64_t>(std::numeric_limits<off_t>::max())) {
      (void)fallocate(fileno(file_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes));
    }
#else
    (void)bytes;
#endif
  }

  bool commit() override {
    if (!error_.empty()) return false;
    std::FILE* file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0) {
      error_ = describe("cannot write", target_, errno);
      return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) {
      error_ = describe("cannot replace", target_, ec.value());
      return false;
    }
    committed_ = true;
    return true;
  }

  const std::string& target() const override { return target_; }
  const std::string& error() const override { return error_; }

 private:
  std::string target_;
  std::string temporary_;
  std::FILE* file_;
  bool committed_ = false;
  std::string error_;
};

class DiskFileSystem : public FileSystem {
 public:
  bool exists(const std::string& path) override {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
  }

  bool read_file(const std::string& path, std::string* contents, std::string* error) override {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
      *error = describe("cannot read", path, errno);
      return false;
    }
    contents->clear();
    char buffer[1 << 16];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents->append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    const int error_number = errno;
    std::fclose(file);
    if (failed) {
      *error = describe("cannot read", path, error_number);
      return false;
    }
    return true;
  }

  bool remove(const std::string& path) override {
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return !exists(path);
  }

  std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) override {
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec)) {
      *error = "cannot write " + target + ": a directory stands there";
      return nullptr;
    }
    const std::string temporary = target + ".partial";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
      *error = describe("cannot write", target, errno);
      return nullptr;
    }
    return std::make_unique<DiskOutputFile>(target, temporary, file);
  }

  bool list_files(const std::string& directory, std::vector<std::string>* names,
                  std::string* error) override {
    names->clear();
    std::error_code ec;
    std::filesystem::directory_iterator it(directory, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
      std::error_code type_ec;
      if (it->is_regular_file(type_ec)) names->push_back(it->path().filename().string());
    }
    if (ec) {
      *error = "cannot list " + directory + ": " + ec.message();
      return false;
    }
    return true;
  }

  bool is_directory(const std::string& path) override {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
  }

  bool make_directories(const std::string& directory, std::string* error) override {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (is_directory(directory)) return true;
    *error = "cannot create the directory " + directory + ": " +
             (ec ? ec.message() : std::string("a file stands there"));
    return false;
  }

  bool rename(const std::string& from, const std::string& to, std::string* error) override {
    std::error_code ec;
    if (std::filesystem::exists(to, ec)) {
      *error = "cannot rename " + from + " to " + to + ": that name is taken";
      return false;
    }
    std::filesystem::rename(from, to, ec);
    if (ec) {
      *error = "cannot rename " + from + " to " + to + ": " + ec.message();
      return false;
    }
    return true;
  }
};

}  // namespace

FileSystem& disk_file_system() {
  static DiskFileSystem file_system;
  return file_system;
}

}  // namespace sb
