#include "platform/terminal.h"

#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace sb {

bool stderr_is_terminal() {
#ifdef _WIN32
  return _isatty(2) != 0;
#else
  return isatty(STDERR_FILENO) == 1;
#endif
}

bool no_color_requested() {
  const char* value = std::getenv("NO_COLOR");
  return value != nullptr && value[0] != '\0';
}

}  // namespace sb
