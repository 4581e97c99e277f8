#include "compiler/code_point_recorder.h"

#include <gtest/gtest.h>

#include "compiler/recorder_test_support.h"

namespace sb {
namespace {

using test::code_of;
using test::line_of;

TEST(CodePointRecorder, AValueAboveZeroIsACodePointAnyOtherACutPoint) {
  Finding refusal;
  struct Case {
    int32_t position;
    int32_t value;
    int32_t cell;
    uint8_t kind;
    int16_t value_1;
  };
  const Case cases[] = {
      {1000, 5, 20, kCodePointCell, 5},
      {1000, 70000, 20, kCodePointCell, 4464},  // the low 16 bits
      {1000, 0, 20, kCodeCutPointCell, 0},
      {1000, -3, 20, kCodeCutPointCell, 0},
      {1025, 1, 20, kCodePointCell, 1},  // 20.5: halves to even
      {1075, 1, 22, kCodePointCell, 1},  // 21.5
      {-25, 1, 0, kCodePointCell, 1},
  };
  for (const Case& c : cases) {
    BuildState state = line_of(4000);
    ASSERT_EQ(code_of(record_code_point(state, c.position, c.value, &refusal), refusal), 0)
        << c.position;
    TrackCell expected;
    expected.kind = c.kind;
    expected.value_1 = c.value_1;
    EXPECT_EQ(state.cell(c.cell), expected) << c.position << " " << c.value;
  }
}

TEST(CodePointRecorder, ATakenCellOrNoCellRefusesWritingNothing) {
  Finding refusal;
  struct Case {
    int32_t position;
    uint8_t held;  // what cell 60 holds
    int32_t code;
  };
  const Case cases[] = {
      {3000, kMountainMarkerCell, 0},       {3000, kCodeCutPointCell, kCodePointTaken},
      {3000, kSignalCell, kCodePointTaken}, {-75, kEmptyCell, kOutsideTheLine},  // cell -2
      {11050, kEmptyCell, kOutsideTheLine},  // cell 221, one beyond the last
  };
  for (const Case& c : cases) {
    BuildState state = line_of(4000);
    state.cell(60).kind = c.held;
    const std::vector<TrackCell> before = state.track_cells;
    const bool recorded = record_code_point(state, c.position, 1, &refusal);
    EXPECT_EQ(code_of(recorded, refusal), c.code) << c.position << " " << int{c.held};
    if (c.code == 0) continue;
    EXPECT_EQ(state.track_cells, before) << c.position;
    if (c.code == kCodePointTaken) {
      EXPECT_EQ(refusal.cell, 60);
      EXPECT_EQ(refusal.holder, c.held);
    }
  }
}

}  // namespace
}  // namespace sb
