#ifndef SCENARIO_BUILDER_APP_EXPLAIN_COMMAND_H_
#define SCENARIO_BUILDER_APP_EXPLAIN_COMMAND_H_

#include <ostream>
#include <string_view>

namespace sb {

// Prints on `out` what the error or warning `code` means ("E22", "W31" or a
// warning's name), why it matters and a wrong and a right example.  An
// unknown code is said on `err`, with the nearest one when there is one.
// Returns the exit status: 0 explained, 2 no such code.
int explain_command(std::string_view code, std::ostream& out, std::ostream& err);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_EXPLAIN_COMMAND_H_
