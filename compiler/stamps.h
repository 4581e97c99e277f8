#ifndef SCENARIO_BUILDER_COMPILER_STAMPS_H_
#define SCENARIO_BUILDER_COMPILER_STAMPS_H_

#include <optional>
#include <string>

#include "model/build_state.h"

namespace sb {

// Stamps the format marks (record 85's short_1, cell 1's value_1) and the
// scenario codes (record 85's long_4, cell 1's value_2) into a compiled
// state whose cell 1 exists.  Each pair goes in only when both of its slots
// are still 0; otherwise the stamping stops there and returns the check's
// number: "1250" for the marks (nothing stamped), "1251" for the codes (the
// marks stamped already).
std::optional<std::string> stamp_marks_and_codes(BuildState& state);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_STAMPS_H_
