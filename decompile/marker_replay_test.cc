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

void put_code_point(std::vector<TrackCell>& cells, int32_t c) {
  cells[static_cast<size_t>(c)].kind = kCodePointCell;
  cells[static_cast<size_t>(c)].value_1 = 180;
}

TEST(CodePointsOfThePass, TellsThePassFromTheAuthor) {
  // The author's code point of 180 in cell 95, where rule B would place
  // one: the pass took cell 94 instead; its other code points stand at
  // 550 to 650 m and 900 to 1000 m before the start, every 400 m through
  // the slowdown and just ahead of the signal after it.
  std::vector<TrackCell> cells = slowdown_cells();
  for (int32_t c : {82, 89, 94, 95, 108, 116, 124, 136}) put_code_point(cells, c);
  std::vector<int32_t> placed;
  std::string error;
  ReplayFailure failure{};
  ASSERT_TRUE(code_points_of_the_pass(cells, &placed, &error, &failure)) << error;
  // Both 95 and 94 hold 180: either may be the author's.  The pass's own
  // come first, so 95 (tried first by rule B) is the pass's and 94, which
  // the pass never tried, the author's.
  const std::vector<int32_t> expected = {82, 89, 95, 108, 116, 124, 136};
  EXPECT_EQ(placed, expected);
}

TEST(CodePointsOfThePass, RefusesCellsThePassWouldHaveFilled) {
  // Rule B would have placed a code point in cell 95, 94 or 93: none is there.
  std::vector<int32_t> placed;
  std::string error;
  ReplayFailure failure = ReplayFailure::kGaveUp;
  EXPECT_FALSE(code_points_of_the_pass(slowdown_cells(), &placed, &error, &failure));
  EXPECT_EQ(error, "no run of the code-point pass leaves the code points the cells hold");
  EXPECT_EQ(failure, ReplayFailure::kNoRun);
}

// 50000 cells, which allow 100 replays, with fast slowdowns starting in
// cells 1000, 2000 and so on, and code points of 180 in the cells of rules B
// to D before them that `stocked` gives.  A slowdown with all nine stocked
// gives 64 ways of choosing the pass's own code points.
std::vector<TrackCell> stocked_slowdowns(const std::vector<std::vector<int32_t>>& stocked) {
  std::vector<TrackCell> cells(50000);
  for (size_t s = 0; s < stocked.size(); ++s) {
    const auto start = static_cast<int32_t>(1000 * (s + 1));
    cells[static_cast<size_t>(start)].kind = kSlowdownStartCell;
    cells[static_cast<size_t>(start)].value_1 = 120;
    for (int32_t before : stocked[s]) put_code_point(cells, start - before);
  }
  return cells;
}

TEST(CodePointsOfThePass, EndsEachReplayAtItsContradiction) {
  const std::vector<int32_t> all = {5, 6, 7, 11, 12, 13, 18, 19, 20};
  const std::vector<int32_t> rules_c_and_d = {11, 12, 13, 18, 19, 20};
  struct Case {
    const char* name;
    std::vector<std::vector<int32_t>> stocked;
    ReplayFailure failure;
    const char* error;
  };
  const Case cases[] = {
      // Rule B of the second slowdown is contradicted in each of the 64
      // replays; the choices its rules C and D would make after that are
      // never made, or the search would run to 1024.
      {"choices after a contradiction",
       {all, rules_c_and_d},
       ReplayFailure::kNoRun,
       "no run of the code-point pass leaves the code points the cells hold"},
      {"4096 ways to a contradiction",
       {all, all, {}},
       ReplayFailure::kGaveUp,
       "the code points of the pass are not found after 100 replays of it"},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> placed;
    std::string error;
    ReplayFailure failure{};
    EXPECT_FALSE(code_points_of_the_pass(stocked_slowdowns(c.stocked), &placed, &error, &failure))
        << c.name;
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_EQ(failure, c.failure) << c.name;
  }
}

}  // namespace
}  // namespace sb
