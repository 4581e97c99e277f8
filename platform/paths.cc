#include "platform/paths.h"

namespace sb {

std::string join_path(const std::string& directory, const std::string& name) {
  return directory + kPathSeparator + name;
}

std::string directory_prefix(const std::string& path) {
#ifdef _WIN32
  const size_t last = path.find_last_of("\\/:");
#else
  const size_t last = path.rfind('/');
#endif
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

}  // namespace sb
