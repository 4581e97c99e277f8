#ifndef SCENARIO_BUILDER_APP_MAN_PAGE_H_
#define SCENARIO_BUILDER_APP_MAN_PAGE_H_

#include <string>
#include <string_view>
#include <vector>

#include "app/command_line_outline.h"

namespace sb {

// Text set as roff: backslashes and the hyphens that start a word (options)
// escaped, a line that would start with a control character guarded;
// characters beyond ASCII as roff's \[uXXXX] glyphs.
std::string roff_escaped(std::string_view utf8);

// The manual page scenario-builder(1) in roff (man macros): what the command
// line holds, from `commands` (the program first, as describe_command_line
// gives it), with the exit status, files and examples around it.
std::string man_page(const std::vector<CommandOutline>& commands, std::string_view version);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_MAN_PAGE_H_
