#include "compiler/slowdown_recorder.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/recorder_test_support.h"

namespace sb {
namespace {

using test::code_of;
using test::line_of;

TrackCell cell_with(uint8_t kind, int16_t value_1, int16_t value_2, int16_t value_3 = 0) {
  TrackCell cell;
  cell.kind = kind;
  cell.value_1 = value_1;
  cell.value_2 = value_2;
  cell.value_3 = value_3;
  return cell;
}

// The cells that are no longer fresh, by index.
std::vector<std::pair<int32_t, TrackCell>> written_cells(const BuildState& state) {
  std::vector<std::pair<int32_t, TrackCell>> written;
  for (int32_t i = 0; i <= state.cell_last_index; ++i) {
    if (state.cell(i) != TrackCell{}) written.emplace_back(i, state.cell(i));
  }
  return written;
}

TEST(SlowdownRecorder, TheBuiltInSlowdowns) {
  Finding refusal;
  BuildState state = line_of(302600);
  ASSERT_TRUE(memo_rallentamento(state, {2000, 60, 700, 0, 0, 60}, &refusal));
  ASSERT_TRUE(memo_rallentamento(state, {77800, 100, 500, 0, 1, 100}, &refusal));
  const std::vector<std::pair<int32_t, TrackCell>> expected = {
      {17, cell_with(kSlowdownWarningCell, 60, 60)},
      {41, cell_with(kSlowdownStartCell, 60, 60)},
      {55, cell_with(kSlowdownEndCell, 60, 60)},
      {1529, cell_with(kWarningLeadInCell, 4, 4)},
      {1530, cell_with(kWarningLeadInCell, 3, 3)},
      {1531, cell_with(kWarningLeadInCell, 2, 2)},
      {1532, cell_with(kWarningLeadInCell, 1, 1)},
      {1533, cell_with(kSlowdownWarningCell, 100, 100)},
      {1557, cell_with(kSlowdownStartCell, 100, 100)},
      {1567, cell_with(kSlowdownEndCell, 100, 100)},
  };
  EXPECT_EQ(written_cells(state), expected);
}

TEST(SlowdownRecorder, WarningCellsOnlyBeyond1500) {
  Finding refusal;
  BuildState at_1500 = line_of(10000);
  ASSERT_TRUE(memo_rallentamento(at_1500, {1500, 30, 100, 7, 1, 0}, &refusal));
  const std::vector<std::pair<int32_t, TrackCell>> only_start_and_end = {
      {31, cell_with(kSlowdownStartCell, 30, 0, 7)},
      {33, cell_with(kSlowdownEndCell, 30, 0, 7)},
  };
  EXPECT_EQ(written_cells(at_1500), only_start_and_end);

  BuildState at_1550 = line_of(10000);
  ASSERT_TRUE(memo_rallentamento(at_1550, {1550, 30, 100, 7, 1, 0}, &refusal));
  const std::vector<std::pair<int32_t, TrackCell>> with_warning = {
      {4, cell_with(kWarningLeadInCell, 4, 0)},    {5, cell_with(kWarningLeadInCell, 3, 0)},
      {6, cell_with(kWarningLeadInCell, 2, 0)},    {7, cell_with(kWarningLeadInCell, 1, 0)},
      {8, cell_with(kSlowdownWarningCell, 30, 0)}, {32, cell_with(kSlowdownStartCell, 30, 0, 7)},
      {34, cell_with(kSlowdownEndCell, 30, 0, 7)},
  };
  EXPECT_EQ(written_cells(at_1550), with_warning);
}

TEST(SlowdownRecorder, WithoutSecondSpeedTheSecondValueIsLeftAlone) {
  Finding refusal;
  BuildState state = line_of(10000);
  state.cell(41) = cell_with(kMountainMarkerCell, 0, 9);
  ASSERT_TRUE(memo_rallentamento(state, {2000, 60, 700, 0, 0, 0}, &refusal));
  EXPECT_EQ(state.cell(41), cell_with(kSlowdownStartCell, 60, 9));
  EXPECT_EQ(state.cell(17), cell_with(kSlowdownWarningCell, 60, 0));
}

TEST(SlowdownRecorder, ValuesKeepTheirLow16Bits) {
  Finding refusal;
  BuildState state = line_of(10000);
  ASSERT_TRUE(memo_rallentamento(state, {2000, 70000, 700, 65537, 0, -70000}, &refusal));
  EXPECT_EQ(state.cell(41), cell_with(kSlowdownStartCell, 4464, -4464, 1));
}

TEST(SlowdownRecorder, BusyCellsRefuseWithNothingWritten) {
  Finding refusal;
  struct Case {
    int32_t busy_cell;
    int32_t code;
  };
  const Case cases[] = {{17, 17}, {41, 18}, {55, 19}};
  for (const Case& c : cases) {
    BuildState state = line_of(10000);
    state.cell(c.busy_cell).kind = kSlowdownStartCell;
    const std::vector<TrackCell> before = state.track_cells;
    const bool recorded = memo_rallentamento(state, {2000, 60, 700, 0, 1, 60}, &refusal);
    EXPECT_EQ(code_of(recorded, refusal), c.code) << c.busy_cell;
    EXPECT_EQ(refusal.cell, c.busy_cell);
    EXPECT_EQ(refusal.holder, kSlowdownStartCell);
    EXPECT_EQ(state.track_cells, before) << c.busy_cell;
  }
}

TEST(SlowdownRecorder, ABusyLeadInCellRefusesAfterTheMainCells) {
  Finding refusal;
  BuildState state = line_of(10000);
  state.cell(14).kind = kSignalCell;  // h - 2 for a start at 2000
  EXPECT_EQ(code_of(memo_rallentamento(state, {2000, 60, 700, 0, 1, 60}, &refusal), refusal), 20);
  EXPECT_EQ(state.cell(17).kind, kSlowdownWarningCell);
  EXPECT_EQ(state.cell(41).kind, kSlowdownStartCell);
  EXPECT_EQ(state.cell(55).kind, kSlowdownEndCell);
  for (int32_t cell : {13, 15, 16}) EXPECT_EQ(state.cell(cell).kind, kEmptyCell) << cell;
}

TEST(SlowdownRecorder, CellsOutsideTheLineAreRefused) {
  Finding refusal;
  struct Case {
    int32_t x;
    int32_t l;
  };
  const Case cases[] = {
      {-10, 700},     // a start before the line, though its cell would be 1
      {2000, -2200},  // the end before cell 0
      {6000, 1100},   // the end beyond cell 140
      {6000, 2147483647},
  };
  for (const Case& c : cases) {
    BuildState state = line_of(0);  // cells 0 to 140
    EXPECT_EQ(code_of(memo_rallentamento(state, {c.x, 60, c.l, 0, 1, 60}, &refusal), refusal), 15)
        << c.x << " " << c.l;
    EXPECT_EQ(state.track_cells, line_of(0).track_cells) << c.x << " " << c.l;
  }
  BuildState state = line_of(0);
  EXPECT_TRUE(
      memo_rallentamento(state, {6000, 60, 950, 0, 1, 60}, &refusal));  // the end in cell 140
  EXPECT_EQ(state.cell(140).kind, kSlowdownEndCell);
}

}  // namespace
}  // namespace sb
