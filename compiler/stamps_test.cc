#include "compiler/stamps.h"

#include <gtest/gtest.h>

#include "compiler/scenario_codes.h"

namespace sb {
namespace {

BuildState two_cells() {
  BuildState state;
  state.scenario_name = "S";
  state.train_number = "1";
  state.track_cells.resize(2);
  return state;
}

TEST(Stamps, MarksAndCodesGoIntoRecord85AndCell1) {
  BuildState state = two_cells();
  StopCode stop = kNoStop;
  EXPECT_TRUE(stamp_marks_and_codes(state, &stop));
  EXPECT_EQ(stop, kNoStop);
  EXPECT_EQ(state.record(kScenarioRecord).short_1, kRecordsFormatMark);
  EXPECT_EQ(state.cell(1).value_1, kCellsFormatMark);
  EXPECT_EQ(state.record(kScenarioRecord).long_4, codice_gara_st(state));
  EXPECT_EQ(state.cell(1).value_2, codice_gara_og(state));
}

// Each pair goes in only when both of its slots are empty; a taken slot
// stops the stamping with the check's number and nothing after it is written.
TEST(Stamps, ATakenSlotStopsWithItsCheck) {
  struct Case {
    const char* what;
    void (*take)(BuildState&);
    StopCode stop;
    bool marks_stamped;
  };
  const Case cases[] = {
      {"record mark", [](BuildState& s) { s.record(kScenarioRecord).short_1 = 1; }, kFormatMarkHeld,
       false},
      {"cell mark", [](BuildState& s) { s.cell(1).value_1 = 1; }, kFormatMarkHeld, false},
      {"record code", [](BuildState& s) { s.record(kScenarioRecord).long_4 = 1; },
       kScenarioCodeHeld, true},
      {"cell code", [](BuildState& s) { s.cell(1).value_2 = 1; }, kScenarioCodeHeld, true},
  };
  for (const Case& c : cases) {
    BuildState state = two_cells();
    c.take(state);
    StopCode stop = kNoStop;
    EXPECT_FALSE(stamp_marks_and_codes(state, &stop)) << c.what;
    EXPECT_EQ(stop, c.stop) << c.what;
    EXPECT_EQ(state.cell(1).value_1 == kCellsFormatMark, c.marks_stamped) << c.what;
    EXPECT_NE(state.record(kScenarioRecord).long_4, codice_gara_st(state)) << c.what;
  }
}

}  // namespace
}  // namespace sb
