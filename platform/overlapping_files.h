#ifndef SCENARIO_BUILDER_PLATFORM_OVERLAPPING_FILES_H_
#define SCENARIO_BUILDER_PLATFORM_OVERLAPPING_FILES_H_

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace sb {

// Writing an output replaces what stands at its name: an input that is the
// same file (FileSystem::same_file) would be lost.  True when no input is
// an output; else false and *error "the input I is the same file as the
// output O" for the first such pair.  Checked before anything is written, so
// a file linked in place while the command runs is not seen.
bool no_input_is_an_output(FileSystem& file_system, const std::vector<std::string>& inputs,
                           const std::vector<std::string>& outputs, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_OVERLAPPING_FILES_H_
