#include "compiler/indication_board_recorder.h"

#include <gtest/gtest.h>

#include <vector>

#include "compiler/recorder_test_support.h"

namespace sb {
namespace {

using test::code_of;
using test::line_of;

TEST(IndicationBoardRecorder, BoardsTakeTheCellBeyondAndRecordsFromTheTop) {
  Finding refusal;
  BuildState state = line_of(4000);
  int32_t next_record = kTopBoardRecord;
  ASSERT_EQ(
      code_of(record_indication_board(state, 1000, "(Km 1+000)", next_record, &refusal), refusal),
      0);
  ASSERT_EQ(code_of(record_indication_board(state, 2025, "a, b", next_record, &refusal), refusal),
            0);
  EXPECT_EQ(next_record, 78);
  EXPECT_EQ(state.cell(21).kind, kIndicationBoardCell);
  EXPECT_EQ(state.cell(21).value_1, 80);
  EXPECT_EQ(state.record(80).text, "(Km 1+000)");
  EXPECT_EQ(state.cell(42).value_1, 79);  // 2025 / 50 + 1 = 41.5: halves to even
  EXPECT_EQ(state.record(79).text, "a, b");
}

TEST(IndicationBoardRecorder, RefusalsWriteAndCountNothing) {
  Finding refusal;
  struct Case {
    const char* name;
    int32_t position;
    uint8_t held;  // what cell 51 holds
    int32_t next_record;
    int32_t code;
  };
  const Case cases[] = {
      {"a mountain marker gives way", 2500, kMountainMarkerCell, 80, 0},
      {"a taken cell", 2500, kSpeedBoardCell, 80, kIndicationBoardTaken},
      {"the last board record", 2500, kEmptyCell, 1, 0},
      {"no board record left", 2500, kEmptyCell, 0, kBoardRecordsFull},
      {"a cell before the line", -100, kEmptyCell, 80, kOutsideTheLine},
      {"a cell beyond the line", 11000, kEmptyCell, 80, kOutsideTheLine},
  };
  for (const Case& c : cases) {
    BuildState state = line_of(4000);
    state.cell(51).kind = c.held;
    const BuildState before = state;
    int32_t next_record = c.next_record;
    const bool recorded = record_indication_board(state, c.position, "x", next_record, &refusal);
    EXPECT_EQ(code_of(recorded, refusal), c.code) << c.name;
    if (c.code == 0) {
      EXPECT_EQ(next_record, c.next_record - 1) << c.name;
      continue;
    }
    EXPECT_EQ(next_record, c.next_record) << c.name;
    EXPECT_EQ(state.track_cells, before.track_cells) << c.name;
    EXPECT_EQ(state.general_records, before.general_records) << c.name;
  }
}

TEST(IndicationBoardRecorder, ARefusalNamesTheCellAndItsHolder) {
  Finding refusal;
  BuildState state = line_of(4000);
  state.cell(51).kind = kSignalCell;
  int32_t next_record = kTopBoardRecord;
  const bool recorded = record_indication_board(state, 2500, "x", next_record, &refusal);
  ASSERT_FALSE(recorded);
  EXPECT_EQ(refusal.cell, 51);
  EXPECT_EQ(refusal.holder, kSignalCell);
  EXPECT_EQ(code_of(record_indication_board(state, 20000, "x", next_record, &refusal), refusal),
            kOutsideTheLine);
}

}  // namespace
}  // namespace sb
