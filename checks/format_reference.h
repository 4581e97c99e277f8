#ifndef SCENARIO_BUILDER_CHECKS_FORMAT_REFERENCE_H_
#define SCENARIO_BUILDER_CHECKS_FORMAT_REFERENCE_H_

#include <string>

#include "grammar/grammar.h"

namespace sb {

// docs/format.md: every section and entry of the two source texts, each
// value with its name, unit, width, range and what an empty or wrong value
// gives, an example per entry, and the warnings of `check`.  Made from the
// grammar and the warning table, so that it says what they say.
std::string format_reference();

// The reference's words for a value's range ("-100 to 155", "any long"),
// for what a value beyond it gives, and for an entry's keyword test.
std::string slot_range_text(const Slot& slot);
std::string slot_beyond_text(const Slot& slot);
std::string keyword_test_text(const Entry& entry);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_FORMAT_REFERENCE_H_
