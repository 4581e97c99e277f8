#ifndef SCENARIO_BUILDER_PLATFORM_INTERRUPT_H_
#define SCENARIO_BUILDER_PLATFORM_INTERRUPT_H_

namespace sb {

// From now on Ctrl-C (and a request to terminate) no longer ends the program
// at once: it is noted, for a long-running command to see through
// interrupted() and end cleanly.
void catch_interrupts();
bool interrupted();

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_INTERRUPT_H_
