#ifndef SCENARIO_BUILDER_COMPILER_STAMPS_H_
#define SCENARIO_BUILDER_COMPILER_STAMPS_H_

#include <cstdint>

#include "model/build_state.h"

namespace sb {

// The checks that stop a build before anything is written, by the number
// the message shows ("Errore n. 1250").
enum StopCode : int32_t {
  kNoStop = 0,
  kFormatMarkHeld = 1250,    // a slot of the format mark holds a value
  kScenarioCodeHeld = 1251,  // a slot of the scenario code holds a value
};

// Stamps the format marks (record 85's short_1, cell 1's value_1) and the
// scenario codes (record 85's long_4, cell 1's value_2) into a compiled
// state whose cell 1 exists.  Each pair goes in only when both of its slots
// are still 0; otherwise the stamping stops there, returns false and sets
// *stop to the check that failed: kFormatMarkHeld (nothing stamped) or
// kScenarioCodeHeld (the marks stamped already).
bool stamp_marks_and_codes(BuildState& state, StopCode* stop);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_STAMPS_H_
