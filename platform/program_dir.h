#ifndef SCENARIO_BUILDER_PLATFORM_PROGRAM_DIR_H_
#define SCENARIO_BUILDER_PLATFORM_PROGRAM_DIR_H_

#include <string>

namespace sb {

// The directory that holds the running executable, without a trailing
// separator; `argv0` is the fallback when the system cannot tell.
std::string program_directory(const char* argv0);

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_PROGRAM_DIR_H_
