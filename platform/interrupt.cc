#include "platform/interrupt.h"

#include <cerrno>
#include <csignal>
#include <mutex>

namespace sb {
namespace {

volatile std::sig_atomic_t interrupt_seen = 0;

extern "C" void note_interrupt(int) { interrupt_seen = 1; }

}  // namespace

void catch_interrupts() {
  std::signal(SIGINT, note_interrupt);
  std::signal(SIGTERM, note_interrupt);
}

bool interrupted() { return interrupt_seen != 0; }

#ifdef _WIN32

int wait_unless_interrupted(const std::function<int()>& wait) { return wait(); }

#else

namespace {

// Threads that wait at the same time share the handlers: the first installs
// them, the last puts back those it found.
std::mutex waiting_mutex;
int waiting = 0;
struct sigaction old_int = {};
struct sigaction old_term = {};

}  // namespace

int wait_unless_interrupted(const std::function<int()>& wait) {
  {
    const std::lock_guard<std::mutex> lock(waiting_mutex);
    if (waiting++ == 0) {
      // No SA_RESTART: the signal makes the blocked call fail with EINTR.
      struct sigaction noting = {};
      noting.sa_handler = note_interrupt;
      sigemptyset(&noting.sa_mask);
      sigaction(SIGINT, &noting, &old_int);
      sigaction(SIGTERM, &noting, &old_term);
    }
  }
  int result = -1;
  int error_number = EINTR;
  while (!interrupted()) {
    result = wait();
    error_number = errno;
    if (result == 0 || error_number != EINTR) break;
  }
  if (interrupted()) {
    result = -1;
    error_number = EINTR;
  }
  {
    const std::lock_guard<std::mutex> lock(waiting_mutex);
    if (--waiting == 0) {
      sigaction(SIGINT, &old_int, nullptr);
      sigaction(SIGTERM, &old_term, nullptr);
    }
  }
  errno = error_number;
  return result;
}

#endif

}  // namespace sb
