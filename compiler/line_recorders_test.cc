#include "compiler/line_recorders.h"

#include <gtest/gtest.h>

#include "compiler/recorder_test_support.h"
#include "model/error_codes.h"

namespace sb {
namespace {

using test::code_of;
using test::line_of;

TEST(MemoMontagna, CoversItsCellsWithMarkersEveryFourthCell) {
  Finding refusal;
  BuildState state = line_of(10000);
  int32_t kind = 12;
  EXPECT_EQ(code_of(memo_montagna(state, 3033, 3783, kind, &refusal), refusal), 0);
  EXPECT_EQ(kind, 2);
  EXPECT_EQ(state.mountain_count, 1);
  EXPECT_EQ(state.mountain_starts[1], 3033);
  EXPECT_EQ(state.mountain_ends[1], 3783);
  for (int32_t c = 60; c <= 76; ++c) {
    const bool inside = c >= 61 && c <= 75;
    const bool marker = c == 64 || c == 68 || c == 72;
    EXPECT_EQ(state.cell(c).mountain_side, inside ? 2 : 0) << c;
    EXPECT_EQ(state.cell(c).kind, marker ? kMountainMarkerCell : kEmptyCell) << c;
  }
}

TEST(MemoMontagna, ATakenCellKeepsItsKindButGetsTheSide) {
  Finding refusal;
  BuildState state = line_of(10000);
  state.cell(64).kind = kSpeedBoardCell;
  int32_t kind = 12;
  memo_montagna(state, 3033, 3783, kind, &refusal);
  EXPECT_EQ(state.cell(64).kind, kSpeedBoardCell);
  EXPECT_EQ(state.cell(64).mountain_side, 2);
  EXPECT_EQ(state.cell(68).kind, kMountainMarkerCell);
}

TEST(MemoMontagna, KindAndGapRule) {
  Finding refusal;
  struct Case {
    const char* name;
    int32_t previous_end;  // 0: no stretch before
    int32_t start, kind;
    int32_t handed_back;
    bool markers;
  };
  const Case cases[] = {
      {"kind 10 stays, no markers", 0, 3000, 10, 10, false},
      {"kind 13 gives kind 3 with markers", 0, 3000, 13, 3, true},
      {"150 m after the previous end", 2850, 3000, 12, 3, true},
      {"151 m after the previous end", 2849, 3000, 12, 2, true},
      {"starts before the previous end", 3500, 3000, 1, 3, false},
      {"kind 11 gives kind 1", 1000, 3000, 11, 1, true},
  };
  for (const Case& c : cases) {
    BuildState state = line_of(10000);
    int32_t first_kind = 1;
    if (c.previous_end > 0) memo_montagna(state, 100, c.previous_end, first_kind, &refusal);
    int32_t kind = c.kind;
    memo_montagna(state, c.start, c.start + 400, kind, &refusal);
    EXPECT_EQ(kind, c.handed_back) << c.name;
    EXPECT_EQ(state.cell(60).mountain_side, c.handed_back) << c.name;
    EXPECT_EQ(state.cell(63).kind, c.markers ? kMountainMarkerCell : kEmptyCell) << c.name;
  }
}

TEST(MemoMontagna, AStretchWithoutCellsIsStillCountedForTheGapRule) {
  Finding refusal;
  BuildState state = line_of(10000);
  int32_t kind = 12;
  memo_montagna(state, 30, 70, kind, &refusal);  // first cell 1, last cell 0
  EXPECT_EQ(state.mountain_count, 1);
  EXPECT_EQ(state.cell(0).mountain_side, 0);
  EXPECT_EQ(state.cell(1).mountain_side, 0);
  kind = 12;
  memo_montagna(state, 200, 600, kind, &refusal);
  EXPECT_EQ(kind, 3);
}

TEST(MemoMontagna, RefusesAStretchBeyondTheEightiethAndOneOutsideTheCells) {
  Finding refusal;
  BuildState state = line_of(10000);
  for (int i = 0; i < kMaxMountainStretches; ++i) {
    int32_t kind = 2;
    ASSERT_EQ(code_of(memo_montagna(state, i * 100, i * 100 + 60, kind, &refusal), refusal), 0);
  }
  int32_t kind = 12;
  EXPECT_EQ(code_of(memo_montagna(state, 9000, 9400, kind, &refusal), refusal), kMountainTableFull);
  EXPECT_EQ(state.mountain_count, kMaxMountainStretches);
  EXPECT_EQ(kind, 12);
  EXPECT_EQ(state.cell(180).mountain_side, 0);

  for (const auto& [start, end] : {std::pair{-100, 200}, std::pair{16000, 17100}}) {
    BuildState fresh = line_of(10000);  // cells 0 to 340
    kind = 2;
    const bool recorded = memo_montagna(fresh, start, end, kind, &refusal);
    EXPECT_EQ(code_of(recorded, refusal), kOutsideTheLine) << start;
    EXPECT_EQ(refusal.value, 340) << start;
    EXPECT_EQ(fresh.mountain_count, 0) << start;
  }
}

TEST(MemoIndicatoriVMax, PacksSpeedsAndStripes) {
  Finding refusal;
  struct Case {
    SpeedBoard board;
    int16_t v1, v2, v3, v4;
  };
  const Case cases[] = {
      {{90, 95, 100, 2, 90, 95, 100, 2}, 1818, 1919, 2020, 22},
      {{150, 150, 150, 0, 150, 150, 150, 1}, 3030, 3030, 3030, 1},
      {{120, 130, 135, 0, 0, 0, 0, 0}, 2400, 2600, 2700, 0},
      {{0, 0, 0, 0, 12, 13, 495, 0}, 2, 3, 99, 0},   // d speeds off the 5 km/h grid round
      {{0, 0, 0, 7000, 0, 0, 0, 3}, 0, 0, 0, 4467},  // 70003 kept to 16 bits
  };
  for (const Case& c : cases) {
    BuildState state = line_of(10000);
    EXPECT_EQ(code_of(memo_indicatori_v_max(state, 2500, c.board, &refusal), refusal), 0);
    const TrackCell& cell = state.cell(51);
    EXPECT_EQ(cell.kind, kSpeedBoardCell);
    EXPECT_EQ(cell.value_1, c.v1);
    EXPECT_EQ(cell.value_2, c.v2);
    EXPECT_EQ(cell.value_3, c.v3);
    EXPECT_EQ(cell.value_4, c.v4);
  }
}

TEST(MemoIndicatoriVMax, StandsOneCellBeyondItsPosition) {
  Finding refusal;
  BuildState state = line_of(100000);
  const SpeedBoard board{90, 95, 100, 2, 90, 95, 100, 2};
  for (const auto& [position, cell] : {std::pair{85950, 1720}, {86200, 1725}, {86450, 1730}}) {
    memo_indicatori_v_max(state, position, board, &refusal);
    EXPECT_EQ(state.cell(cell).kind, kSpeedBoardCell) << position;
  }
  EXPECT_EQ(board_cell(-75), 0);    // -0.5 rounds to the even 0
  EXPECT_EQ(board_cell(1225), 26);  // 25.5 rounds to the even 26
}

TEST(MemoIndicatoriVMax, GoesOnlyIntoAFreeCell) {
  Finding refusal;
  struct Case {
    uint8_t kind;
    int32_t error;
  };
  const Case cases[] = {
      {kMountainMarkerCell, 0},
      {kSpeedBoardCell, kSpeedBoardTaken},
      {kIndicationBoardCell, kSpeedBoardTaken},
  };
  for (const Case& c : cases) {
    BuildState state = line_of(10000);
    state.cell(51).kind = c.kind;
    state.cell(51).value_1 = 7;
    const bool recorded =
        memo_indicatori_v_max(state, 2500, SpeedBoard{90, 95, 100, 2, 90, 95, 100, 2}, &refusal);
    EXPECT_EQ(code_of(recorded, refusal), c.error) << int{c.kind};
    if (!recorded) {
      EXPECT_EQ(refusal.cell, 51);
      EXPECT_EQ(refusal.holder, c.kind);
    }
    EXPECT_EQ(state.cell(51).kind, c.error == 0 ? uint8_t{kSpeedBoardCell} : c.kind);
    EXPECT_EQ(state.cell(51).value_1, c.error == 0 ? 1818 : 7);
  }
}

TEST(MemoIndicatoriVMax, RefusesWhatItCannotStore) {
  Finding refusal;
  BuildState state = line_of(10000);
  const bool recorded =
      memo_indicatori_v_max(state, 2500, SpeedBoard{90, 1700, 100, 0, 90, 0, 100, 0}, &refusal);
  EXPECT_EQ(code_of(recorded, refusal), 25);
  EXPECT_EQ(refusal.detail, "the speeds 1700 and 0 do not pack into a short (-32768 to 32767)");
  EXPECT_EQ(state.cell(51), TrackCell{});

  BuildState below = line_of(10000);
  EXPECT_EQ(code_of(memo_indicatori_v_max(below, -100, SpeedBoard{}, &refusal), refusal),
            kOutsideTheLine);
}

}  // namespace
}  // namespace sb
