#ifndef SCENARIO_BUILDER_PLATFORM_INTERRUPT_H_
#define SCENARIO_BUILDER_PLATFORM_INTERRUPT_H_

#include <functional>

namespace sb {

// From now on Ctrl-C (and a request to terminate) no longer ends the program
// at once: it is noted, for a long-running command to see through
// interrupted() and end cleanly.
void catch_interrupts();
bool interrupted();

// Runs `wait`, a system call that blocks (returning 0 when done, else -1
// with errno), so that Ctrl-C or a request to terminate ends it: the signal
// is noted for interrupted() and `wait` returns -1 with errno EINTR.  The
// handling of both signals before the call is restored after it.  On
// Windows `wait` is simply run.
int wait_unless_interrupted(const std::function<int()>& wait);

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_INTERRUPT_H_
