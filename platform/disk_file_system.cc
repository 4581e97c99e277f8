#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <mutex>
#include <random>
#include <system_error>

#include "platform/file_system.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sb {
namespace {

// Memory about to hold a large file read whole: on Linux it may come in
// large pages, which the system fills in with far fewer faults.  A hint only.
void ask_for_large_pages(char* data, size_t size) {
#ifdef __linux__
  constexpr uintptr_t kLargePage = uintptr_t{1} << 21;
  const auto first = (reinterpret_cast<uintptr_t>(data) + kLargePage - 1) & ~(kLargePage - 1);
  const auto end = (reinterpret_cast<uintptr_t>(data) + size) & ~(kLargePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

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

int process_id() {
#ifdef _WIN32
  return _getpid();
#else
  return ::getpid();
#endif
}

// A name of its own for a file the program creates beside its targets:
// short, so that it fits wherever the target's name fits, and random, so
// that runs at the same time do not meet.
std::string unique_name(const char* suffix) {
  static std::mutex mutex;
  static std::mt19937_64 engine = [] {
    std::random_device device;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    std::seed_seq seed{device(), device(), static_cast<unsigned>(now),
                       static_cast<unsigned>(now >> 32), static_cast<unsigned>(process_id())};
    return std::mt19937_64(seed);
  }();
  uint64_t bits;
  {
    std::lock_guard<std::mutex> lock(mutex);
    bits = engine();
  }
  static const char digits[] = "0123456789abcdef";
  std::string name = ".sb-";
  for (int i = 0; i < 12; ++i, bits >>= 4) name += digits[bits & 15];
  return name + suffix;
}

// Tries new names beside `path` until `attempt` creates one; it returns 0 on
// success, else the error number, EEXIST asking for another name.
template <typename Attempt>
int create_beside(const std::string& path, const char* suffix, std::string* name, Attempt attempt) {
  constexpr int kAttempts = 64;
  int error_number = EEXIST;
  for (int i = 0; i < kAttempts && error_number == EEXIST; ++i) {
    *name = directory_prefix(path) + unique_name(suffix);
    error_number = attempt(*name);
  }
  return error_number;
}

#ifdef _WIN32

// The Windows error number as an errno-like value for create_beside.
int last_error_number() {
  const DWORD code = GetLastError();
  return code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ? EEXIST : EIO;
}

class DiskOutputFile : public OutputFile {
 public:
  DiskOutputFile(std::string target, std::string temporary, HANDLE file)
      : target_(std::move(target)), temporary_(std::move(temporary)), file_(file) {}

  ~DiskOutputFile() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (!committed_) DeleteFileA(temporary_.c_str());
  }

  bool write(const char* data, size_t size) override {
    if (!error_.empty() || finished_) return false;
    while (size > 0) {
      const DWORD part = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file_, data, part, &written, nullptr) || written == 0) {
        error_ = describe("cannot write", target_, EIO);
        return false;
      }
      data += written;
      size -= written;
    }
    return true;
  }

  bool finish() override {
    if (!finished_) {
      finished_ = true;
      if (!CloseHandle(file_) && error_.empty()) error_ = describe("cannot write", target_, EIO);
      file_ = INVALID_HANDLE_VALUE;
    }
    return error_.empty();
  }

  bool commit() override {
    if (committed_) return true;
    if (!finish()) return false;
    if (!MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      error_ = describe("cannot replace", target_, EIO);
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
  HANDLE file_;
  bool finished_ = false;
  bool committed_ = false;
  std::string error_;
};

bool is_directory_itself(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

std::unique_ptr<OutputFile> create_output(const std::string& target, std::string* error) {
  std::string temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  const int failure = create_beside(target, ".tmp", &temporary, [&](const std::string& name) {
    file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    return file == INVALID_HANDLE_VALUE ? last_error_number() : 0;
  });
  if (failure != 0) {
    *error = describe("cannot write", target, failure);
    return nullptr;
  }
  return std::make_unique<DiskOutputFile>(target, temporary, file);
}

bool stands(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool keep_file_aside(const std::string& path, std::string* kept, std::string* error) {
  kept->clear();
  if (!stands(path)) return true;
  const int failure = create_beside(path, ".old", kept, [&](const std::string& name) {
    if (CreateHardLinkA(name.c_str(), path.c_str(), nullptr)) return 0;
    if (last_error_number() == EEXIST || stands(name)) return EEXIST;
    // No second name on this file system: the old file moves aside.
    return MoveFileExA(path.c_str(), name.c_str(), 0) ? 0 : last_error_number();
  });
  if (failure != 0) {
    *error = describe("cannot keep the old", path, failure);
    kept->clear();
    return false;
  }
  return true;
}

bool rename_over(const std::string& from, const std::string& to, std::string* error) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  *error = describe("cannot replace", to, EIO);
  return false;
}

bool remove_name(const std::string& path) {
  return DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Windows cannot lock a directory, so the lock is a byte of a file in it,
// deleted by its holder on release.  A waiter that wakes up holding a file
// that was deleted meanwhile tries again with the file now at that name.
class DiskDirectoryLock : public DirectoryLock {
 public:
  DiskDirectoryLock(std::string path, HANDLE file) : path_(std::move(path)), file_(file) {}
  ~DiskDirectoryLock() override {
    DeleteFileA(path_.c_str());
    CloseHandle(file_);
  }

 private:
  std::string path_;
  HANDLE file_;
};

bool same_file(HANDLE file, const std::string& path) {
  HANDLE again =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (again == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION a;
  BY_HANDLE_FILE_INFORMATION b;
  const bool same = GetFileInformationByHandle(file, &a) && GetFileInformationByHandle(again, &b) &&
                    a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
                    a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
  CloseHandle(again);
  return same;
}

std::unique_ptr<DirectoryLock> lock_directory_of(const std::string& directory, std::string* error) {
  // A directory given as a prefix (ending in a separator or a drive colon)
  // takes the name as it stands.
  const char last = directory.empty() ? '\\' : directory.back();
  const std::string path = last == '\\' || last == '/' || last == ':'
                               ? directory + ".sb-lock"
                               : join_path(directory, ".sb-lock");
  for (int attempt = 0; attempt < 10000; ++attempt) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() != ERROR_ACCESS_DENIED) break;
      Sleep(1);  // being deleted by the last holder
      continue;
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole)) {
      CloseHandle(file);
      break;
    }
    if (same_file(file, path)) return std::make_unique<DiskDirectoryLock>(path, file);
    CloseHandle(file);
  }
  *error = describe("cannot lock", directory, EIO);
  return nullptr;
}

#else  // POSIX

class DiskOutputFile : public OutputFile {
 public:
  DiskOutputFile(std::string target, std::string temporary, int file)
      : target_(std::move(target)), temporary_(std::move(temporary)), file_(file) {}

  ~DiskOutputFile() override {
    if (file_ >= 0) ::close(file_);
    if (!committed_) ::unlink(temporary_.c_str());
  }

  bool write(const char* data, size_t size) override {
    if (!error_.empty() || finished_) return false;
    while (size > 0) {
      const ssize_t written = ::write(file_, data, size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        error_ = describe("cannot write", target_, written < 0 ? errno : ENOSPC);
        return false;
      }
      data += written;
      size -= static_cast<size_t>(written);
    }
    return true;
  }

  // Linux sets the blocks aside beyond the end of the file, which grows only
  // as it is written; a long file then costs the file system far less work
  // per block.  Where this cannot be done the blocks come as writes arrive.
  void expect_size(uint64_t bytes) override {
#ifdef __linux__
    if (file_ >= 0 && bytes > 0 &&
        bytes <= static_cast<uint64_t>(std::numeric_limits<off_t>::max())) {
      (void)fallocate(file_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes));
    }
#else
    (void)bytes;
#endif
  }

  bool finish() override {
    if (!finished_) {
      finished_ = true;
      if (::close(file_) != 0 && error_.empty()) error_ = describe("cannot write", target_, errno);
      file_ = -1;
    }
    return error_.empty();
  }

  bool commit() override {
    if (committed_) return true;
    if (!finish()) return false;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
      error_ = describe("cannot replace", target_, errno);
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
  int file_;
  bool finished_ = false;
  bool committed_ = false;
  std::string error_;
};

bool is_directory_itself(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::unique_ptr<OutputFile> create_output(const std::string& target, std::string* error) {
  std::string temporary;
  int file = -1;
  // O_EXCL creates a new name or fails: never through a link standing there.
  const int failure = create_beside(target, ".tmp", &temporary, [&](const std::string& name) {
    file = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return file < 0 ? errno : 0;
  });
  if (failure != 0) {
    *error = describe("cannot write", target, failure);
    return nullptr;
  }
  return std::make_unique<DiskOutputFile>(target, temporary, file);
}

bool keep_file_aside(const std::string& path, std::string* kept, std::string* error) {
  kept->clear();
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) {
    if (errno == ENOENT) return true;
    *error = describe("cannot keep the old", path, errno);
    return false;
  }
  const int failure = create_beside(path, ".old", kept, [&](const std::string& name) {
    // A second name for whatever stands there, a link itself included.
    if (::linkat(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), 0) == 0) return 0;
    if (errno == EEXIST) return EEXIST;
    // No second name on this file system: the old file moves aside.
    struct stat taken;
    if (::lstat(name.c_str(), &taken) == 0) return EEXIST;
    return ::rename(path.c_str(), name.c_str()) == 0 ? 0 : errno;
  });
  if (failure != 0) {
    *error = describe("cannot keep the old", path, failure);
    kept->clear();
    return false;
  }
  return true;
}

bool rename_over(const std::string& from, const std::string& to, std::string* error) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  *error = describe("cannot replace", to, errno);
  return false;
}

bool remove_name(const std::string& path) { return ::unlink(path.c_str()) == 0 || errno == ENOENT; }

// An advisory lock on the directory itself: nothing is created for it.
class DiskDirectoryLock : public DirectoryLock {
 public:
  explicit DiskDirectoryLock(int directory) : directory_(directory) {}
  ~DiskDirectoryLock() override { ::close(directory_); }

 private:
  int directory_;
};

std::unique_ptr<DirectoryLock> lock_directory_of(const std::string& directory, std::string* error) {
  const std::string path = directory.empty() ? "." : directory;
  const int handle = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) {
    *error = describe("cannot lock", path, errno);
    return nullptr;
  }
  int result;
  do {
    result = ::flock(handle, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    *error = describe("cannot lock", path, errno);
    ::close(handle);
    return nullptr;
  }
  return std::make_unique<DiskDirectoryLock>(handle);
}

#endif

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
    // Read straight into the string, sized once from the file's size; a
    // file that has grown meanwhile is read on to its end.
    contents->clear();
    std::error_code size_error;
    const std::uintmax_t size = std::filesystem::file_size(path, size_error);
    if (!size_error && size < (std::uintmax_t{1} << 40)) {
      contents->reserve(static_cast<size_t>(size));
      ask_for_large_pages(contents->data(), static_cast<size_t>(size));
      contents->resize(static_cast<size_t>(size));
    }
    size_t length = 0;
    while (length < contents->size()) {
      const size_t got = std::fread(contents->data() + length, 1, contents->size() - length, file);
      if (got == 0) break;
      length += got;
    }
    contents->resize(length);
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

  // Only a regular file tells its size before it is read: a pipe or a
  // device does not, and is refused.
  bool file_size(const std::string& path, uint64_t* bytes, std::string* error) override {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
      const bool no_size = ec == std::errc::not_supported;
      *error = "cannot read " + path + ": " +
               (no_size ? "not a regular file, whose size could be checked" : ec.message());
      return false;
    }
    *bytes = static_cast<uint64_t>(size);
    return true;
  }

  bool remove(const std::string& path) override { return remove_name(path); }

  std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) override {
    if (is_directory_itself(target)) {
      *error = "cannot write " + target + ": a directory stands there";
      return nullptr;
    }
    return create_output(target, error);
  }

  bool keep_aside(const std::string& path, std::string* kept, std::string* error) override {
    return keep_file_aside(path, kept, error);
  }

  bool replace(const std::string& from, const std::string& to, std::string* error) override {
    return rename_over(from, to, error);
  }

  std::unique_ptr<DirectoryLock> lock_directory(const std::string& directory,
                                                std::string* error) override {
    return lock_directory_of(directory, error);
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
