#include "live/browser.h"

#include <spawn.h>

#include <cstring>

extern char** environ;  // NOLINT(readability-redundant-declaration)

namespace sb {

bool open_in_browser(const std::string& url, std::string* error) {
  std::string program = "xdg-open";
  std::string argument = url;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  const int failure = posix_spawnp(&child, argv[0], nullptr, nullptr, argv, environ);
  if (failure != 0) {
    *error = "cannot start xdg-open to open " + url + ": " + std::strerror(failure);
    return false;
  }
  return true;
}

}  // namespace sb
