#ifndef SCENARIO_BUILDER_APP_SHELL_COMPLETION_H_
#define SCENARIO_BUILDER_APP_SHELL_COMPLETION_H_

#include <string>
#include <vector>

#include "app/command_line_outline.h"

namespace sb {

enum class Shell { kBash, kZsh, kFish };

// The completion script of one shell for the command line `commands` (the
// program first, as describe_command_line gives it): subcommands, options,
// the words an option takes, and files by the kind each positional reads.
std::string completion_script(Shell shell, const std::vector<CommandOutline>& commands);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_SHELL_COMPLETION_H_
