#include "platform/standard_streams.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#else
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

void use_binary_standard_streams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace sb
