#include "compiler/marker_pass.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "format/cells.h"

namespace sb {

void PrintTo(const MarkerWarning& w, std::ostream* os) {
  *os << "{" << w.code << ", '" << w.rule << "', cell " << w.cell << "}";
}

namespace {

using ::testing::IsEmpty;

// A route of 1000 m gives cells 0 to 160: the pass visits cells 1 to 158.
constexpr int32_t kRouteLength = 1000;
constexpr int32_t kLastCell = 160;

struct Cell {
  int32_t index;
  uint8_t kind;
  int16_t value_1 = 0;
};

Cell start(int32_t i, int16_t speed) { return {i, kSlowdownStartCell, speed}; }
Cell end(int32_t i) { return {i, kSlowdownEndCell, 60}; }
Cell warning(int32_t i) { return {i, kSlowdownWarningCell, 60}; }
Cell signal(int32_t i) { return {i, kSignalCell}; }
Cell board(int32_t i) { return {i, kSpeedBoardCell, 12}; }  // any object that takes a cell
Cell mountain(int32_t i) { return {i, kMountainMarkerCell}; }
Cell code(int32_t i, int16_t value = 180) { return {i, kCodePointCell, value}; }

void put(BuildState& state, const std::vector<Cell>& cells) {
  for (const Cell& c : cells) {
    state.cell(c.index).kind = c.kind;
    state.cell(c.index).value_1 = c.value_1;
  }
}

BuildState state_with(const std::vector<Cell>& cells) {
  BuildState state;
  size_for_route(state, kRouteLength);
  put(state, cells);
  return state;
}

// Every cell that differs from the expected one, readable.
std::vector<std::string> differences(const BuildState& actual, const BuildState& expected) {
  std::vector<std::string> out;
  for (size_t i = 0; i < expected.track_cells.size(); ++i) {
    const TrackCell& a = actual.track_cells[i];
    const TrackCell& e = expected.track_cells[i];
    if (a == e) continue;
    out.push_back("cell " + std::to_string(i) + ": " + cell_kind_name(a.kind) + " " +
                  std::to_string(a.value_1) + ", expected " + cell_kind_name(e.kind) + " " +
                  std::to_string(e.value_1));
  }
  return out;
}

struct Case {
  const char* name;
  std::vector<Cell> before;
  std::vector<Cell> changed;  // the cells the pass changes, as they end up
  std::vector<MarkerWarning> warnings;
};

// Runs the pass on `before` and checks the whole cell array and the warnings.
void check(const Case& c) {
  SCOPED_TRACE(c.name);
  BuildState state = state_with(c.before);
  BuildState expected = state_with(c.before);
  put(expected, c.changed);

  const std::vector<MarkerWarning> warnings = place_code_points(state);

  EXPECT_THAT(differences(state, expected), IsEmpty());
  EXPECT_EQ(warnings, c.warnings);
}

TEST(MarkerPass, SlowSlowdownWithASignalAfterIt) {
  // Start 100 at 60 km/h, end 130, signal 137.
  check({"worked example",
         {start(100, 60), end(130), signal(137)},
         {code(95), code(89), code(82), code(108), code(116), code(124), code(136)},
         {}});
}

TEST(MarkerPass, SignalsBeforeASlowdownWarning) {
  const Case cases[] = {
      {"warning in cell 4 looks at the signal in cell 3", {warning(4), signal(3)}, {code(2)}, {}},
      {"second cell ahead when the first is taken",
       {warning(4), signal(3), board(2)},
       {code(1)},
       {}},
      {"both cells ahead taken",
       {warning(4), signal(3), board(2), board(1)},
       {},
       {{kRuleAPlacementFailed, 'A', 3}}},
      {"no signal below cell 3 is looked at", {warning(4), signal(2)}, {}, {}},
      {"every signal within 20 cells, none further",
       {warning(60), signal(59), signal(40), signal(39)},
       {code(58), code(38)},
       {}},
      {"a mountain marker gives way", {warning(55), signal(50), mountain(49)}, {code(49)}, {}},
      {"a code point of 200 two cells ahead is lowered",
       {warning(55), signal(50), signal(49), code(48, 200), board(47)},
       {code(48, 180)},
       {}},
      {"a code point of 150 two cells ahead stays",
       {warning(55), signal(50), signal(49), code(48, 150), board(47)},
       {},
       {}},
      {"only the nearer of two code points is lowered",
       {warning(55), signal(50), code(49, 300), code(48, 250)},
       {code(49, 180)},
       {}},
  };
  for (const Case& c : cases) check(c);
}

TEST(MarkerPass, FixedDistancesBeforeASlowdownStart) {
  // 120 km/h: no code points inside the slowdown, only rules B to D.
  const Case cases[] = {
      {"start in cell 7 runs no rule", {start(7, 120), end(30)}, {}, {}},
      {"start in cell 8 runs rule B", {start(8, 120), end(30)}, {code(3)}, {}},
      {"rule B down to cell 1", {start(8, 120), end(30), board(3), board(2)}, {code(1)}, {}},
      {"start in cell 13 runs no rule C", {start(13, 120), end(30)}, {code(8)}, {}},
      {"start in cell 14 runs rule C", {start(14, 120), end(30)}, {code(9), code(3)}, {}},
      {"start in cell 20 runs no rule D", {start(20, 120), end(30)}, {code(15), code(9)}, {}},
      {"start in cell 21 runs rule D",
       {start(21, 120), end(30)},
       {code(16), code(10), code(3)},
       {}},
      {"first free cell of three, a mountain marker counting as free",
       {start(100, 120), end(130), board(95), board(89), mountain(88)},
       {code(94), code(88), code(82)},
       {}},
      {"rule B blocked, C and D still place",
       {start(100, 120), end(130), board(95), board(94), board(93)},
       {code(89), code(82)},
       {{kRulesBToDPlacementFailed, 'B', 100}}},
      {"rules C and D blocked",
       {start(100, 120), end(130), board(89), board(88), board(87), board(82), board(81),
        board(80)},
       {code(95)},
       {{kRulesBToDPlacementFailed, 'C', 100}, {kRulesBToDPlacementFailed, 'D', 100}}},
      {"a code point in the way is never lowered",
       {start(100, 120), end(130), code(95, 250), code(94, 250), code(93, 250)},
       {code(89), code(82)},
       {{kRulesBToDPlacementFailed, 'B', 100}}},
  };
  for (const Case& c : cases) check(c);
}

TEST(MarkerPass, SpacingThroughASlowSlowdown) {
  const Case cases[] = {
      {"110 km/h: nothing inside and no signal search",
       {start(100, 110), end(130), signal(137)},
       {code(95), code(89), code(82)},
       {}},
      {"109 km/h counts as slow",
       {start(100, 109), end(130), signal(137)},
       {code(95), code(89), code(82), code(108), code(116), code(124), code(136)},
       {}},
      {"one cell back, the count going on from there",
       {start(100, 60), end(130), board(108)},
       {code(95), code(89), code(82), code(107), code(115), code(123)},
       {}},
      {"one cell on, the count going on from there",
       {start(100, 60), end(130), board(108), board(107)},
       {code(95), code(89), code(82), code(109), code(117), code(125)},
       {}},
      {"blocked at a count of 8: none later, the signal still found",
       {start(100, 60), end(130), board(107), board(108), board(109), signal(137)},
       {code(95), code(89), code(82), code(136)},
       {{kRuleEPlacementFailed, 'E', 108}}},
      {"signal 12 cells after the end is found",
       {start(100, 60), end(130), signal(142)},
       {code(95), code(89), code(82), code(108), code(116), code(124), code(141)},
       {}},
      {"signal 13 cells after the end is not",
       {start(100, 60), end(130), signal(143)},
       {code(95), code(89), code(82), code(108), code(116), code(124)},
       {}},
      {"only the first signal after the end",
       {start(100, 60), end(130), signal(134), signal(137)},
       {code(95), code(89), code(82), code(108), code(116), code(124), code(133)},
       {}},
      {"signal right after the end: the end cell is taken, the one before it is used",
       {start(100, 60), end(130), signal(131)},
       {code(95), code(89), code(82), code(108), code(116), code(124), code(129)},
       {}},
      {"no free cell ahead of the signal after the end",
       {start(100, 60), end(130), signal(131), board(129)},
       {code(95), code(89), code(82), code(108), code(116), code(124)},
       {{kRuleEPlacementFailed, 'E', 130}}},
  };
  for (const Case& c : cases) check(c);
}

TEST(MarkerPass, StaysWithinTheCells) {
  ASSERT_EQ(state_with({}).cell_last_index, kLastCell);
  const Case cases[] = {
      {"start without an end walks to the last cell",
       {start(145, 60)},
       {code(140), code(134), code(127), code(153)},
       {}},
      {"the cell after the last one counts as taken; the search stops at the last",
       {start(152, 60), signal(159), signal(160)},
       {code(147), code(141), code(134), code(158)},
       {{kRuleEPlacementFailed, 'E', 160}}},
      {"start in the last visited cell", {start(158, 60)}, {code(153), code(147), code(140)}, {}},
      {"start and warning beyond the last visited cell",
       {start(159, 60), warning(160), signal(157)},
       {},
       {}},
  };
  for (const Case& c : cases) check(c);

  BuildState no_cells;
  EXPECT_THAT(place_code_points(no_cells), IsEmpty());
}

TEST(MarkerPass, LaterCellsSeeEarlierPlacements) {
  // The start in cell 49 comes first and takes cell 44; the signal in 45
  // before the warning in 50 then gets cell 43.
  check({"start before warning",
         {start(49, 120), end(70), warning(50), signal(45)},
         {code(44), code(38), code(31), code(43)},
         {}});
}

TEST(MarkerPass, ReportsEveryFailedPlacementInTheOrderOfTheCells) {
  BuildState failing = state_with({warning(4), signal(3), board(2), board(1), start(100, 120),
                                   end(130), board(95), board(94), board(93)});
  const std::vector<MarkerWarning> expected = {{kRuleAPlacementFailed, 'A', 3},
                                               {kRulesBToDPlacementFailed, 'B', 100}};
  EXPECT_EQ(place_code_points(failing), expected);
}

TEST(MarkerPass, DescribesAWarning) {
  const struct {
    MarkerWarning warning;
    const char* text;
  } cases[] = {
      {{kRuleAPlacementFailed, 'A', 18},
       "rule A: no free cell for a code point ahead of the signal in cell 18 at 900 m"},
      {{kRulesBToDPlacementFailed, 'B', 100},
       "rule B: no free cell for a code point 250 to 350 m before the slowdown start in cell 100 "
       "at 5000 m"},
      {{kRulesBToDPlacementFailed, 'C', 100},
       "rule C: no free cell for a code point 550 to 650 m before the slowdown start in cell 100 "
       "at 5000 m"},
      {{kRulesBToDPlacementFailed, 'D', 100},
       "rule D: no free cell for a code point 900 to 1000 m before the slowdown start in cell 100 "
       "at 5000 m"},
      {{kRuleEPlacementFailed, 'E', 108},
       "rule E: no free cell for a code point near cell 108 at 5400 m, inside a slow slowdown or "
       "ahead of the first signal after it"},
  };
  for (const auto& c : cases) EXPECT_EQ(describe(c.warning), c.text);
}

}  // namespace
}  // namespace sb
