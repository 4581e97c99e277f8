#include "decompile/step_profile.h"

#include <algorithm>

#include "format/cell_geometry.h"

namespace sb {

std::vector<ProfileStep> profile_steps(const std::vector<uint8_t>& bytes) {
  std::vector<ProfileStep> steps;
  if (bytes.size() < 4) return steps;
  const auto last = static_cast<int32_t>(bytes.size()) - 1;
  // The cells the cursor wrote: cells 0 to written - 1, at least up to
  // last - 3; cells beyond them hold 0, so trailing zeros count as unwritten.
  int32_t written = last + 1;
  while (written > last - 2 && bytes[static_cast<size_t>(written - 1)] == 0) --written;
  steps.push_back({0, bytes[0]});
  for (int32_t c = 1; c < std::min(written, last - 2); ++c) {
    const uint8_t byte = bytes[static_cast<size_t>(c)];
    if (byte != bytes[static_cast<size_t>(c - 1)]) steps.push_back({kCellLength * c, byte});
  }
  if (written >= last - 1)
    steps.push_back({kCellLength * (last - 2), bytes[static_cast<size_t>(last - 2)]});
  if (written >= last) steps.push_back({50, bytes[static_cast<size_t>(last - 1)]});
  if (written >= last + 1) steps.push_back({50, bytes[static_cast<size_t>(last)]});
  return steps;
}

}  // namespace sb
