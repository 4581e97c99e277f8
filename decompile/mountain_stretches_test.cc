#include "decompile/mountain_stretches.h"

#include <gtest/gtest.h>

#include "compiler/line_recorders.h"
#include "model/build_state.h"

namespace sb {
namespace {

using Need = MarkerNeed;

struct Cells {
  std::vector<uint8_t> sides;
  std::vector<MarkerNeed> needs;
};

// The sides and markers that stretches leave on empty cells.
Cells after(std::vector<MountainEntry> stretches, size_t count) {
  BuildState state;
  state.track_cells.resize(count);
  Finding refusal;
  for (MountainEntry& m : stretches) memo_montagna(state, m.start, m.end, m.kind, &refusal);
  Cells cells;
  for (const TrackCell& cell : state.track_cells) {
    cells.sides.push_back(cell.mountain_side);
    cells.needs.push_back(cell.kind == kMountainMarkerCell ? Need::kMarker : Need::kNone);
  }
  return cells;
}

TEST(MountainEntries, ReproduceSidesAndMarkers) {
  const std::vector<std::pair<const char*, std::vector<MountainEntry>>> cases = {
      {"one stretch with markers", {{3033, 3783, 12}}},
      {"a near stretch takes kind 3", {{1000, 2000, 12}, {2100, 3000, 12}}},
      {"two kinds side by side", {{1000, 2000, 2}, {0, 0, 0}, {2000, 3000, 5}}},
      {"an overlap with markers out of phase", {{1000, 3000, 12}, {1400, 2200, 15}}},
      {"a kind above 10 without markers", {{500, 1500, -241}}},
      {"markers of kind 0", {{500, 1500, 266}}},
  };
  for (const auto& [name, stretches] : cases) {
    const Cells cells = after(stretches, 120);
    std::vector<MountainEntry> entries;
    std::string error;
    ASSERT_TRUE(mountain_entries(cells.sides, cells.needs, &entries, &error)) << name << error;
    const Cells again = after(entries, 120);
    EXPECT_EQ(again.sides, cells.sides) << name;
    EXPECT_EQ(again.needs, cells.needs) << name;
  }
}

TEST(MountainEntries, OneEntryPerRunInTheCanonicalForm) {
  const Cells cells = after({{3033, 3783, 12}, {4000, 4500, 2}}, 120);
  std::vector<MountainEntry> entries;
  std::string error;
  ASSERT_TRUE(mountain_entries(cells.sides, cells.needs, &entries, &error));
  const std::vector<MountainEntry> expected = {{3050, 3800, 12}, {4000, 4500, 2}};
  EXPECT_EQ(entries, expected);
}

TEST(MountainEntries, RefusesAMarkerNoStretchPlaces) {
  std::vector<uint8_t> sides(40, 0);
  std::vector<MarkerNeed> needs(40, Need::kNone);
  needs[2] = Need::kMarker;
  std::vector<MountainEntry> entries;
  std::string error;
  EXPECT_FALSE(mountain_entries(sides, needs, &entries, &error));
  EXPECT_EQ(error, "cell 2 holds a mountain marker, which no stretch places there");
}

}  // namespace
}  // namespace sb
