#include "compiler/signal_recorder.h"

#include <gtest/gtest.h>

#include "compiler/recorder_test_support.h"

namespace sb {
namespace {

using test::code_of;
using test::line_of;

// "segnale, 850, 2, 3, 1, 0, 0, 2, 2,1,0, 220"
SignalEntry first_signal() { return {850, 2, 3, 1, 0, 0, 2, 2, 1, 0, 220}; }

TEST(SignalRecorder, PacksTheCodesAndMarksTheFourApproachCells) {
  Finding refusal;
  BuildState state = line_of(302600);
  SignalEntry signal = first_signal();
  ASSERT_TRUE(memo_segnale(state, signal, &refusal));

  TrackCell expected;
  expected.kind = kSignalCell;
  expected.value_1 = 32;
  expected.value_2 = 11;
  expected.value_3 = 0;
  expected.value_4 = 8;
  expected.signal_time = 220;
  EXPECT_EQ(state.cell(18), expected);
  for (int cell = 0; cell <= 20; ++cell) {
    const uint8_t mark = cell == 16 ? 81 : cell == 14 ? 82 : cell == 12 ? 83 : cell == 10 ? 84 : 0;
    EXPECT_EQ(state.cell(cell).approach, mark) << "cell " << cell;
    if (cell != 18) {
      EXPECT_EQ(state.cell(cell).kind, kEmptyCell) << "cell " << cell;
    }
  }
}

TEST(SignalRecorder, SignalTimeOnlyWithLeftCodeTwo) {
  Finding refusal;
  struct Case {
    int32_t left_code;
    int32_t time;
    uint8_t signal_time;
    int32_t time_after;
  };
  const Case cases[] = {
      {2, 50, 101, 101},  {1, 50, 0, 101},    {2, 0, 0, 0},      {2, 1, 101, 101},
      {2, 100, 101, 101}, {2, 101, 101, 101}, {2, 300, 44, 300}, {2, -5, 251, -5},
  };
  for (const Case& c : cases) {
    BuildState state = line_of(10000);
    SignalEntry signal = first_signal();
    signal.left_code = c.left_code;
    signal.time = c.time;
    ASSERT_TRUE(memo_segnale(state, signal, &refusal));
    EXPECT_EQ(state.cell(18).signal_time, c.signal_time) << c.left_code << " " << c.time;
    EXPECT_EQ(signal.time, c.time_after) << c.left_code << " " << c.time;
  }
}

TEST(SignalRecorder, PackingKeepsTheLowBits) {
  Finding refusal;
  BuildState state = line_of(10000);
  SignalEntry signal = first_signal();
  signal.left_digit_1 = 4000;  // 40002 -> -25534 as 16 bits
  signal.leading_digit = -1;   // -10 + 27 + 2
  signal.left_code = 9;        // (27 + 2) * 10 + b: 291 -> 35 as 8 bits
  ASSERT_TRUE(memo_segnale(state, signal, &refusal));
  EXPECT_EQ(state.cell(18).value_1, -25534);
  EXPECT_EQ(state.cell(18).value_4, 19);
  EXPECT_EQ(state.cell(16).approach, 35);
  EXPECT_EQ(state.cell(10).approach, 38);
}

TEST(SignalRecorder, AMountainMarkerGivesWayAnOccupiedCellRefuses) {
  Finding refusal;
  BuildState state = line_of(10000);
  state.cell(18).kind = kMountainMarkerCell;
  SignalEntry signal = first_signal();
  ASSERT_TRUE(memo_segnale(state, signal, &refusal));
  EXPECT_EQ(state.cell(18).kind, kSignalCell);

  const std::vector<TrackCell> before = state.track_cells;
  SignalEntry again = first_signal();
  again.position = 860;  // the same cell
  const bool recorded = memo_segnale(state, again, &refusal);
  EXPECT_EQ(code_of(recorded, refusal), 16);
  EXPECT_EQ(refusal.cell, 18);
  EXPECT_EQ(refusal.holder, kSignalCell);
  EXPECT_EQ(state.track_cells, before);
}

TEST(SignalRecorder, ASecondSignalTwoCellsOnOverwritesTheMarks) {
  Finding refusal;
  BuildState state = line_of(10000);
  SignalEntry first = first_signal();
  ASSERT_TRUE(memo_segnale(state, first, &refusal));
  SignalEntry second = first_signal();
  second.position = 950;  // cell 20
  second.left_code = 1;   // marks 31 to 34
  second.right_code = 0;
  second.time = 0;
  ASSERT_TRUE(memo_segnale(state, second, &refusal));
  EXPECT_EQ(state.cell(20).kind, kSignalCell);
  EXPECT_EQ(state.cell(18).kind, kSignalCell);
  EXPECT_EQ(state.cell(18).approach, 31);
  EXPECT_EQ(state.cell(16).approach, 32);
  EXPECT_EQ(state.cell(14).approach, 33);
  EXPECT_EQ(state.cell(12).approach, 34);
  EXPECT_EQ(state.cell(10).approach, 84);  // the first signal's farthest mark stays
}

TEST(SignalRecorder, MarksBeforeTheFirstCellAreRefused) {
  Finding refusal;
  BuildState state = line_of(10000);
  SignalEntry at_325 = first_signal();
  at_325.position = 325;  // 7.5 rounds to cell 8, the farthest mark in cell 0
  ASSERT_TRUE(memo_segnale(state, at_325, &refusal));
  EXPECT_EQ(state.cell(8).kind, kSignalCell);
  EXPECT_EQ(state.cell(0).approach, 84);

  for (int32_t position : {324, 0, -2000}) {
    BuildState fresh = line_of(10000);
    SignalEntry signal = first_signal();
    signal.position = position;
    EXPECT_EQ(code_of(memo_segnale(fresh, signal, &refusal), refusal), 15) << position;
    EXPECT_EQ(fresh.track_cells, line_of(10000).track_cells) << position;
  }
}

TEST(SignalRecorder, ACellBeyondTheLastIsRefused) {
  Finding refusal;
  BuildState state = line_of(0);  // cells 0 to 140
  SignalEntry signal = first_signal();
  signal.position = 7000;  // cell 141
  EXPECT_EQ(code_of(memo_segnale(state, signal, &refusal), refusal), 15);
}

}  // namespace
}  // namespace sb
