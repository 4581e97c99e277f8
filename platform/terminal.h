#ifndef SCENARIO_BUILDER_PLATFORM_TERMINAL_H_
#define SCENARIO_BUILDER_PLATFORM_TERMINAL_H_

namespace sb {

// Whether the standard error stream is a terminal (a console on Windows).
bool stderr_is_terminal();

// Whether NO_COLOR is set to a non-empty value in the environment.
bool no_color_requested();

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_TERMINAL_H_
