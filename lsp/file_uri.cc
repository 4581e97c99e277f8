#include "lsp/file_uri.h"

namespace sb {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool is_unreserved(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

// "/c:/x" names a drive's file: its path is "c:/x".
bool is_drive_path(std::string_view path) {
  return path.size() >= 3 && path[0] == '/' && path[2] == ':' &&
         ((path[1] >= 'a' && path[1] <= 'z') || (path[1] >= 'A' && path[1] <= 'Z'));
}

}  // namespace

std::optional<std::string> path_of_file_uri(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (uri.substr(0, kScheme.size()) != kScheme) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  // The authority (a host) stands before the path; "localhost" or none.
  const size_t slash = uri.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  uri.remove_prefix(slash);
  std::string path;
  for (size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && hex_value(uri[i + 1]) >= 0 &&
        hex_value(uri[i + 2]) >= 0) {
      path.push_back(static_cast<char>(hex_value(uri[i + 1]) * 16 + hex_value(uri[i + 2])));
      i += 2;
    } else {
      path.push_back(uri[i]);
    }
  }
  if (is_drive_path(path)) path.erase(0, 1);
  return path;
}

std::string file_uri_of_path(std::string_view path) {
  static const char digits[] = "0123456789ABCDEF";
  std::string uri = "file://";
  if (!path.empty() && path[0] != '/') uri.push_back('/');
  for (char c : path) {
    if (is_unreserved(c)) {
      uri.push_back(c);
    } else {
      const auto byte = static_cast<unsigned char>(c);
      uri += {'%', digits[byte >> 4], digits[byte & 15]};
    }
  }
  return uri;
}

}  // namespace sb
