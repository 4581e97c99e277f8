#ifndef SCENARIO_BUILDER_LSP_FILE_URI_H_
#define SCENARIO_BUILDER_LSP_FILE_URI_H_

#include <optional>
#include <string>
#include <string_view>

namespace sb {

// The path of a "file:" URI, its escapes decoded ("file:///c%3A/x" is
// "c:/x"); empty for any other URI.
std::optional<std::string> path_of_file_uri(std::string_view uri);

// The "file:" URI of an absolute path, escaped as editors escape it.
std::string file_uri_of_path(std::string_view path);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_FILE_URI_H_
