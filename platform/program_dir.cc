#include "platform/program_dir.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace sb {
namespace {

std::string running_executable() {
#ifdef _WIN32
  char path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return {};
  return std::string(path, length);
#else
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
#endif
}

}  // namespace

std::string program_directory(const char* argv0) {
  std::string executable = running_executable();
  if (executable.empty() && argv0 != nullptr) {
    std::error_code ec;
    executable = std::filesystem::absolute(argv0, ec).string();
  }
  std::string directory = std::filesystem::path(executable).parent_path().string();
  while (directory.size() > 1 && directory.back() == kPathSeparator) directory.pop_back();
  return directory;
}

}  // namespace sb
