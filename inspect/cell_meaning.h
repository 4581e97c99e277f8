#ifndef SCENARIO_BUILDER_INSPECT_CELL_MEANING_H_
#define SCENARIO_BUILDER_INSPECT_CELL_MEANING_H_

#include <cstdint>
#include <string>
#include <vector>

#include "format/cells.h"

namespace sb {

// One value of a cell unpacked and named: "speed" 60 "km/h" from value_1.
struct Meaning {
  std::string label;
  int64_t value = 0;
  std::string unit;  // empty for plain numbers
  CellSlot slot = CellSlot::kValue1;

  bool operator==(const Meaning&) const = default;
};

// The object of a cell unpacked as its kind packs it (a signal's digits, a
// speed board's speeds), then any value the kind does not use but that is not
// zero, then the approach mark split into its number (1 nearest the signal or
// station stop, 4 farthest) and its code.  Cell 1 carries the format mark and
// the scenario code in value_1 and value_2 (`carries_marks`); they are not
// reported as stray values there.
std::vector<Meaning> cell_meanings(const TrackCell& cell, bool carries_marks);

// "speed 60 km/h [value_1], second speed 0 km/h [value_2]": the slot after
// the last meaning drawn from it.
std::string meanings_text(const std::vector<Meaning>& meanings);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_CELL_MEANING_H_
