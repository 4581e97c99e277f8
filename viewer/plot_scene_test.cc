#include "viewer/plot_scene.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "format/chainages.h"
#include "viewer/test_scenario.h"

namespace sb {
namespace {

CompiledScenario compiled(const BuildState& state) {
  MemoryFileSystem files;
  test::write_fixture(state, files);
  return test::load_fixture(files);
}

TrackCell cell_of(uint8_t kind, int16_t value_1 = 0) {
  TrackCell cell;
  cell.kind = kind;
  cell.value_1 = value_1;
  return cell;
}

// A 3 km line with one object of every kind, as the compiler places them.
BuildState furnished_scenario() {
  BuildState state = test::straight_scenario(3000);
  GeneralRecord& first = state.record(1);
  first.kind = 12;
  first.long_1 = -400;
  first.long_2 = 450;
  first.text = "VALMIRA CENTRALE";
  GeneralRecord& second = state.record(2);
  second.kind = 25;
  second.long_1 = 2400;
  second.long_2 = 2600;
  second.long_3 = 2500;
  second.text = "Citt\xE0 Bassa";  // Windows-1252 a grave
  state.record(80).text = "(Km 647+107)";
  state.record(kChainageThreeRecord) = {};
  state.record(kChainageOneRecord).long_2 = 350000;
  state.record(kChainageTwoRecord).long_1 = 2000;
  state.record(kChainageTwoRecord).long_2 = 700000;
  state.record(kTrainRecord).long_1 = 1000;
  state.record(kTrainRecord).long_2 = 2500;
  state.record(kTrainRecord).long_3 = 9;

  state.cell(18) = cell_of(kSignalCell, 32);           // signal at 850 m
  state.cell(21) = cell_of(kSpeedBoardCell, 1818);     // 90 km/h board at 1000 m
  state.cell(23) = cell_of(kIndicationBoardCell, 80);  // board at 1100 m
  state.cell(9) = cell_of(kSlowdownWarningCell, 60);   // slowdown warning at 400 m
  state.cell(33) = cell_of(kSlowdownStartCell, 60);    // from 1600 m
  state.cell(40) = cell_of(kSlowdownEndCell, 60);      // to 1950 m
  state.cell(44) = cell_of(kCodePointCell, 180);       // code point at 2200 m
  state.cell(46) = cell_of(kCodeCutPointCell);         // code cut at 2300 m
  state.cell(8) = cell_of(kStationStopCell, 1);        // not drawn: the record is
  for (int c = 10; c <= 14; ++c) state.cell(c).mountain_side = 2;
  for (int c = 0; c < state.cell_last_index - 2; ++c) {
    state.cell(c).gradient = c < 30 ? 100 : 93;
    state.cell(c).speed_limit = c < 20 ? 24 : 18;
  }
  return state;
}

TEST(PlotScene, PlacesEveryObjectAtItsPosition) {
  const PlotScene scene = build_plot_scene(compiled(furnished_scenario()));
  EXPECT_EQ(scene.scenario_name, "Piana_Alta");
  EXPECT_EQ(scene.train_number, "4711");
  EXPECT_EQ(scene.route_length, 3000);

  struct Expected {
    MarkKind kind;
    int32_t position;
    std::string label;
  };
  const std::vector<Expected> expected = {
      {MarkKind::kSlowdownWarning, 400, "60"}, {MarkKind::kSignal, 850, ""},
      {MarkKind::kSpeedBoard, 1000, "90"},     {MarkKind::kIndicationBoard, 1100, "(Km 647+107)"},
      {MarkKind::kSlowdownStart, 1600, "60"},  {MarkKind::kSlowdownEnd, 1950, ""},
      {MarkKind::kCodePoint, 2200, "180"},     {MarkKind::kCodeCutPoint, 2300, ""},
  };
  ASSERT_EQ(scene.marks.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(scene.marks[i].kind, expected[i].kind) << i;
    EXPECT_EQ(scene.marks[i].position, expected[i].position) << i;
    EXPECT_EQ(scene.marks[i].label, expected[i].label) << i;
  }
  EXPECT_EQ(scene.slowdowns, (std::vector<Stretch>{{1600, 1950, 60}}));
}

TEST(PlotScene, ReadsStationsUpToTheFirstBlankRecord) {
  BuildState state = furnished_scenario();
  state.record(4).text = "stray";  // after the blank record 3: not a station
  const PlotScene scene = build_plot_scene(compiled(state));
  ASSERT_EQ(scene.stations.size(), 2u);
  EXPECT_EQ(scene.stations[0].name, "VALMIRA CENTRALE");
  EXPECT_EQ(scene.stations[0].position, 0);
  EXPECT_EQ(scene.stations[0].start, -400);
  EXPECT_EQ(scene.stations[0].end, 450);
  EXPECT_EQ(scene.stations[1].name, "Citt\xC3\xA0 Bassa");
  EXPECT_EQ(scene.stations[1].kind, 25);
}

TEST(PlotScene, StopsStationsAtTheBoardRecords) {
  BuildState state = furnished_scenario();
  for (int r = 3; r < 80; ++r) state.record(r).text = "B" + std::to_string(r);
  for (int r = 3; r <= 80; ++r) state.cell(50 + r) = cell_of(kIndicationBoardCell, int16_t(r));
  const PlotScene scene = build_plot_scene(compiled(state));
  EXPECT_EQ(scene.stations.size(), 2u);
}

TEST(PlotScene, TurnsLineValuesIntoStretches) {
  const PlotScene scene = build_plot_scene(compiled(furnished_scenario()));
  EXPECT_EQ(scene.mountains, (std::vector<Stretch>{{500, 750, 2}}));
  EXPECT_EQ(scene.gradients, (std::vector<Stretch>{{0, 1500, 0}, {1500, 3000, -7}}));
  EXPECT_EQ(scene.speed_limits, (std::vector<Stretch>{{0, 1000, 120}, {1000, 3000, 90}}));
  ASSERT_TRUE(scene.cab_signalling);
  EXPECT_EQ(*scene.cab_signalling, (Stretch{1000, 2500, 9}));
  ASSERT_EQ(scene.chainages.size(), 2u);
  EXPECT_EQ(scene.posts.reading_at_fraction(1500), 351500);
  EXPECT_EQ(scene.posts.reading_at_fraction(2100), 700100);
}

// The page reads the list as the last chainage starting at or before a
// position: of two from the start, the leading one (record 81's) is last.
TEST(PlotScene, ListsTheLeadingChainageLastAmongThoseSharingAStart) {
  BuildState state = furnished_scenario();
  store_chainage({0, 590850, 0}, state.record(kChainageThreeRecord));
  store_chainage({0, 575100, 1}, state.record(kChainageTwoRecord));
  store_chainage({0, 310650, 0}, state.record(kChainageOneRecord));
  const PlotScene scene = build_plot_scene(compiled(state));
  ASSERT_EQ(scene.chainages.size(), 3u);
  EXPECT_EQ(scene.chainages.front().kilometre, 310650);
  EXPECT_EQ(scene.chainages.back().kilometre, 590850);
  EXPECT_EQ(scene.posts.reading_at_fraction(1000), 591850);
}

// The table web/test/units.test.mjs asks the page's reading: a jump, a tie
// and a repeated numbering on a line of 10 km.
TEST(PlotScene, PostsReadTheTableThePageIsTestedOn) {
  const KilometrePosts posts(ChainageRecords{Chainage{8000, 354000, 0}, Chainage{2000, 350000, 0},
                                             Chainage{2000, 400000, 0}});
  const std::vector<std::pair<double, double>> readings = {
      {0, 0},         {1999, 1999},   {2000, 350000}, {2500.5, 350500.5},
      {7999, 355999}, {8000, 354000}, {10000, 356000}};
  for (const auto& [position, reading] : readings) {
    EXPECT_EQ(posts.reading_at_fraction(position), reading) << position;
  }
  const std::vector<std::pair<int64_t, std::optional<int64_t>>> searches = {
      {1500, 1500},           {350000, 2000},       {355000, 7000},        {356000, 10000},
      {400000, std::nullopt}, {3000, std::nullopt}, {360000, std::nullopt}};
  for (const auto& [reading, first] : searches) {
    const std::vector<int64_t> found = posts.positions_of(reading, 10000);
    EXPECT_EQ(found.empty() ? std::nullopt : std::optional<int64_t>(found.front()), first)
        << reading;
  }
}

TEST(PlotScene, KeepsTheTraceRowByRow) {
  BuildState state = test::straight_scenario(1000);
  test::bend_right(state, 400, 500);
  const PlotScene scene = build_plot_scene(compiled(state));
  ASSERT_EQ(scene.trace.size(), 8001u);
  EXPECT_TRUE(scene.has_point(0));
  EXPECT_EQ(scene.trace[1].north, 1);
  EXPECT_EQ(scene.trace[700].east, state.line_trace.x(700));
  EXPECT_EQ(scene.trace[700].north, state.line_trace.y(700));
  EXPECT_FALSE(scene.has_point(8000));  // the last two rows are never assigned
  EXPECT_FALSE(scene.has_point(8001));
}

}  // namespace
}  // namespace sb
