#ifndef SCENARIO_BUILDER_DECOMPILE_STEP_PROFILE_H_
#define SCENARIO_BUILDER_DECOMPILE_STEP_PROFILE_H_

#include <cstdint>
#include <vector>

namespace sb {

// One entry of a cursor-written profile (gradients, speed limits, adhesion):
// from `position` on, the cells hold `byte`.
struct ProfileStep {
  int32_t position = 0;
  uint8_t byte = 0;

  bool operator==(const ProfileStep&) const = default;
};

// The entries that write `bytes` (one per cell, cells 0 to U) through the
// profile cursor, which fills the cells one after the other and, at the end
// of the text, runs the last value on to cell U - 3.  Canonical form: an
// entry at 0 with the first cell's value, then one at 50 c for every cell c
// whose value differs from the cell before it.  The cursor reaches beyond
// cell U - 3 only when the trailing cells that are not zero ask for it: then
// an entry at the last cell an entry may name, U - 2, and one more entry at
// 50 m (behind the cursor, so it writes one cell) for each further cell.
std::vector<ProfileStep> profile_steps(const std::vector<uint8_t>& bytes);

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_STEP_PROFILE_H_
