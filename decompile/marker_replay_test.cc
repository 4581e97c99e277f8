#include "decompile/marker_replay.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

// Cells with a slow slowdown from cell 100 to 130 and a signal in 137.
std::vector<TrackCell> slowdown_cells() {
  std::vector<TrackCell> cells(200);
  cells[100].kind = kSlowdownStartCell;
  cells[100].value_1 = 60;
  cells[130].kind = kSlowdownEndCell;
  cells[137].kind = kSignalCell;
  return cells;
}

TEST(CodePointsOfThePass, TellsThePassFromTheAuthor) {
  // The author's code point of 180 in cell 95, where rule B would place
  // one: the pass took cell 94 instead; its other code points stand at
  // 550 to 650 m and 900 to 1000 m before the start, every 400 m through
  // the slowdown and just ahead of the signal after it.
  std::vector<TrackCell> cells = slowdown_cells();
  for (int32_t c : {82, 89, 94, 95, 108, 116, 124, 136}) {
    cells[static_cast<size_t>(c)].kind = kCodePointCell;
    cells[static_cast<size_t>(c)].value_1 = 180;
  }
  std::vector<int32_t> placed;
  std::string error;
  ASSERT_TRUE(code_points_of_the_pass(cells, &placed, &error)) << error;
  // Both 95 and 94 hold 180: either may be the author's.  The pass's own
  // come first, so 95 (tried first by rule B) is the pass's and 94, which
  // the pass never tried, the author's.
  const std::vector<int32_t> expected = {82, 89, 95, 108, 116, 124, 136};
  EXPECT_EQ(placed, expected);
}

}  // namespace
}  // namespace sb

namespace sb {
namespace {

TEST(CodePointsOfThePass, RefusesCellsThePassWouldHaveFilled) {
  // Rule B would have placed a code point in cell 95, 94 or 93: none is there.
  std::vector<int32_t> placed;
  std::string error;
  EXPECT_FALSE(code_points_of_the_pass(slowdown_cells(), &placed, &error));
  EXPECT_EQ(error, "no run of the code-point pass leaves the code points the cells hold");
}

}  // namespace
}  // namespace sb
