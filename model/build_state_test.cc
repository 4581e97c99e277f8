#include "model/build_state.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(SizeForRoute, CellsAndRowsFollowTheRouteLength) {
  struct Case {
    int32_t route_length;
    int32_t cell_last_index;
  };
  const Case cases[] = {{302600, 6192}, {4025, 220}, {4075, 222}, {1000000, 20140}};
  for (const Case& c : cases) {
    BuildState state;
    state.trace_flag = 1;
    size_for_route(state, c.route_length);
    EXPECT_EQ(state.cell_last_index, c.cell_last_index) << c.route_length;
    EXPECT_EQ(state.track_cells.size(), static_cast<size_t>(c.cell_last_index) + 1);
    EXPECT_EQ(state.trace_last_index, c.route_length + 7000);
    EXPECT_EQ(state.line_trace.last_index(), c.route_length + 7000);
    EXPECT_EQ(state.line_trace.tag(0), TraceTag::kUnset);
  }
}

TEST(SizeForRoute, NoTraceWithoutTheTraceFlag) {
  BuildState state;
  size_for_route(state, 1000);
  EXPECT_TRUE(state.line_trace.empty());
  EXPECT_EQ(state.trace_last_index, 8000);
}

TEST(SizeForRoute, ASecondRouteLengthStartsAfresh) {
  BuildState state;
  state.trace_flag = 1;
  size_for_route(state, 1000);
  state.cell(3).kind = kSignalCell;
  state.line_trace.set_double(5, 1.0, 2.0);
  size_for_route(state, 2000);
  EXPECT_EQ(state.cell(3).kind, kEmptyCell);
  EXPECT_EQ(state.line_trace.tag(5), TraceTag::kUnset);
}

TEST(TrackCell, MountainMarkersCountAsFree) {
  EXPECT_TRUE(is_free_kind(kEmptyCell));
  EXPECT_TRUE(is_free_kind(kMountainMarkerCell));
  EXPECT_FALSE(is_free_kind(kSignalCell));
  EXPECT_FALSE(is_free_kind(kCodePointCell));
}

}  // namespace
}  // namespace sb
