#ifndef SCENARIO_BUILDER_CHECKS_SEPARATOR_HINT_H_
#define SCENARIO_BUILDER_CHECKS_SEPARATOR_HINT_H_

#include <string_view>
#include <vector>

#include "checks/diagnostic.h"

namespace sb {

// A line whose values are separated by tabs or semicolons (as a spreadsheet
// saves them) is read as one field: the first diagnostic of such a line
// gets the hint "values are separated by commas, not tabs".  A tab after a
// comma only lines values up, and gets none.
void hint_separators(std::string_view line_text, std::string_view train_text,
                     std::vector<Diagnostic>* diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_SEPARATOR_HINT_H_
