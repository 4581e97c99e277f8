#ifndef SCENARIO_BUILDER_APP_PROGRAM_MESSAGE_H_
#define SCENARIO_BUILDER_APP_PROGRAM_MESSAGE_H_

#include <ostream>
#include <string>
#include <string_view>

namespace sb {

// What begins each of the program's own messages on the terminal (the
// diagnostics about the texts begin with their place instead).
inline constexpr std::string_view kMessagePrefix = "scenario-builder: ";

// Writes the prefix to `out` and returns it, for the message to follow.
inline std::ostream& begin_message(std::ostream& out) { return out << kMessagePrefix; }

// The prefix and `message` as one string.
inline std::string program_message(std::string_view message) {
  return std::string(kMessagePrefix) + std::string(message);
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_PROGRAM_MESSAGE_H_
