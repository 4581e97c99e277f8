#include "platform/standard_streams.h"

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace sb {

void hold_closed_standard_streams() {
#ifndef _WIN32
  // In descriptor order, so that each open takes the lowest free number,
  // the one closed: standard input cannot be read, the outputs not written.
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) {
      const int held = open("/dev/null", descriptor == 0 ? O_WRONLY : O_RDONLY);
      if (held > descriptor) close(held);
    }
  }
#endif
}

}  // namespace sb
