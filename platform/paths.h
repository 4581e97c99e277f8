#ifndef SCENARIO_BUILDER_PLATFORM_PATHS_H_
#define SCENARIO_BUILDER_PLATFORM_PATHS_H_

#include <string>

namespace sb {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// directory + separator + name, by plain concatenation.
std::string join_path(const std::string& directory, const std::string& name);

// The directory part of `path` with its last separator ("dir/" of
// "dir/name"), empty for a bare name.  Windows takes either separator.
std::string directory_prefix(const std::string& path);

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_PATHS_H_
