#ifndef SCENARIO_BUILDER_DECOMPILE_MOUNTAIN_STRETCHES_H_
#define SCENARIO_BUILDER_DECOMPILE_MOUNTAIN_STRETCHES_H_

#include <cstdint>
#include <string>
#include <vector>

namespace sb {

struct MountainEntry {
  int32_t start = 0;
  int32_t end = 0;
  int32_t kind = 0;

  bool operator==(const MountainEntry&) const = default;
};

// What a cell says about mountain markers once the line text is compiled.
enum class MarkerNeed : uint8_t {
  kNone,    // empty to the end: no stretch may make it a marker
  kMarker,  // a mountain marker
  kAny,     // taken by an object that stands on a marker or keeps one off
};

// The mountain entries that write `sides` (the mountain side of every cell)
// and exactly the markers `needs` asks for.  Canonical form: one entry per
// run of equal non-zero sides, from the run's first cell to its last, with
// markers when the run has any; an entry that may not take kind 3 but would
// begin within 150 m of the end of the entry before it is preceded by an
// entry that covers no cell and ends 200 m before it.  Where overlapping
// stretches left markers that no single entry per run makes, the markers
// come first, each from an entry that begins three cells before its first
// marker, and entries without markers then write the sides.  False and
// *error when more than 80 entries would be needed or no entries make them.
bool mountain_entries(const std::vector<uint8_t>& sides, const std::vector<MarkerNeed>& needs,
                      std::vector<MountainEntry>* entries, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_MOUNTAIN_STRETCHES_H_
