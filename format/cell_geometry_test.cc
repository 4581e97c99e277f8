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

TEST(CellGeometry, AnEntryFitsWhenItsReachEndsWithinTheLastCell) {
  struct Case {
    double position;
    double reach;
    bool fits;
  };
  const Case cases[] = {
      {6900, kEntryReach, true},    // (6900 + 100) / 50 = 140, the last cell
      {6901, kEntryReach, false},   // 140.02
      {6200, kStationReach, true},  // 7000 / 50
      {6201, kStationReach, false},
      {-200, kEntryReach, true},  // before the line: the readers take it
  };
  for (const Case& c : cases) EXPECT_EQ(reach_fits(c.position, c.reach, 140), c.fits) << c.position;
}

TEST(CellGeometry, AnAreaEndsInTheCellBeforeItsEndRoundedHalvesToEven) {
  struct Case {
    double area_end;
    double at;
    int64_t cell;
  };
  const Case cases[] = {
      {1000, 19, 19}, {1025, 19.5, 20}, {1075, 20.5, 20}, {50, 0, 0}, {25, -0.5, 0}, {0, -1, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(area_end_cell_at(c.area_end), c.at) << c.area_end;
    EXPECT_EQ(area_end_cell(c.area_end), c.cell) << c.area_end;
  }
}

}  // namespace
}  // namespace sb
