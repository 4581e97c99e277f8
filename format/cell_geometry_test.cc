#include "format/cell_geometry.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(CellGeometry, PositionsRoundToCellsHalvesToEven) {
  struct Case {
    double position;
    int64_t cell;
    int64_t object;
  };
  const Case cases[] = {
      {0, 0, 1},     {24, 0, 1},          {25, 0, 2},  {75, 2, 2},   {125, 2, 4},
      {850, 17, 18}, {85950, 1719, 1720}, {-25, 0, 0}, {-75, -2, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cell_of(c.position), c.cell) << c.position;
    EXPECT_EQ(object_cell(c.position), c.object) << c.position;
  }
  EXPECT_EQ(cell_start(18), 900);
  EXPECT_EQ(object_position(18), 850);
}

TEST(CellGeometry, ARouteReachesSevenKilometresBeyondItsEnd) {
  EXPECT_EQ(last_trace_row_for_route(302600), 309600);
  EXPECT_EQ(last_cell_for_route(302600), 6192);
  EXPECT_EQ(last_cell_for_route(0), 140);
  EXPECT_EQ(last_cell_for_route(25), 140);  // 7025 / 50 = 140.5
  EXPECT_EQ(last_cell_for_route(75), 142);  // 7075 / 50 = 141.5
  EXPECT_EQ(last_cell_for_route(kMaxRouteLength), 20140);
}

}  // namespace
}  // namespace sb
