#ifndef SCENARIO_BUILDER_COMPILER_SCENARIO_CODES_H_
#define SCENARIO_BUILDER_COMPILER_SCENARIO_CODES_H_

#include <cstdint>
#include <string>

#include "model/build_state.h"

namespace sb {

// The two codes of a scenario, from the train number (record 86) followed by
// the scenario name (record 85), lower-cased, completed by the letter table
// "aabbccddeeffgghhiillmmnnoo"; only the first 25 characters count.

// That string: the two texts lower-cased, then the letter table.
std::string code_string(const BuildState& state);
// The weighted sum: character i (from 1) counts i times.
int32_t codice_gara_st(const BuildState& state);
// The plain sum of the 25 character codes.
int16_t codice_gara_og(const BuildState& state);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_SCENARIO_CODES_H_
