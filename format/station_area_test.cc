#include "format/station_area.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(StationArea, ByKind) {
  struct Case {
    int64_t position;
    int64_t kind;
    int64_t length;
    bool extended;
    StationArea area;
  };
  const Case cases[] = {
      {5000, 12, 400, false, {4800, 5200}},
      {5000, 12, 400, true, {4800, 5250}},   // 50 m further
      {5000, 12, 401, false, {4800, 5200}},  // an odd length: halves cut towards zero
      {0, 12, 800, false, {-400, 400}},
      {5000, 5, 400, true, {4600, 5150}},  // back from the position; never extended
      {5000, 6, 400, false, {4600, 5150}},
      {5000, 7, 400, true, {4600, 5400}},  // either way
      {5000, 8, 400, false, {4600, 5400}},
      {5000, 25, 400, false, {4800, 5200}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(station_area(c.position, c.kind, c.length, c.extended), c.area)
        << c.position << " kind " << c.kind << " length " << c.length;
  }
}

}  // namespace
}  // namespace sb
