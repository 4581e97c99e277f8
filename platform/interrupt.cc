#include "platform/interrupt.h"

#include <csignal>

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

}  // namespace sb
