#ifndef SCENARIO_BUILDER_CHECKS_FORMAT_REFERENCE_H_
#define SCENARIO_BUILDER_CHECKS_FORMAT_REFERENCE_H_

#include <string>

namespace sb {

// docs/format.md: every section and entry of the two source texts, each
// value with its name, unit, width, range and what an empty or wrong value
// gives, an example per entry, and the warnings of `check`.  Made from the
// grammar and the warning table, so that it says what they say.
std::string format_reference();

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_FORMAT_REFERENCE_H_
