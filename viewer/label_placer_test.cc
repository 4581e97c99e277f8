#include "viewer/label_placer.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

const PixelRect kWhole{0, 0, 200, 100};

TEST(LabelPlacer, RefusesOverlapsAndLeavingTheArea) {
  LabelPlacer placer(200, 100);
  EXPECT_TRUE(placer.place({{10, 10, 40, 12}}, kWhole));
  EXPECT_FALSE(placer.is_free({45, 15, 40, 12}, kWhole));   // overlaps the first
  EXPECT_TRUE(placer.is_free({54, 10, 40, 12}, kWhole));    // beside it
  EXPECT_FALSE(placer.is_free({170, 10, 40, 12}, kWhole));  // sticks out on the right
  EXPECT_FALSE(placer.is_free({54, 10, 40, 12}, {60, 0, 140, 100}));
}

TEST(LabelPlacer, TakesTheFirstFreeCandidate) {
  LabelPlacer placer(200, 100);
  placer.take({0, 0, 100, 50});
  const auto placed = placer.place({{10, 10, 20, 10}, {120, 10, 20, 10}, {10, 60, 20, 10}}, kWhole);
  ASSERT_TRUE(placed);
  EXPECT_EQ(placed->left, 120);
  EXPECT_FALSE(placer.place({{125, 15, 10, 5}, {60, 20, 10, 5}}, kWhole));
}

TEST(LabelPlacer, KeepsTheGapBetweenLabels) {
  LabelPlacer placer(200, 100, 1, 3);
  ASSERT_TRUE(placer.place({{10, 10, 40, 12}}, kWhole));
  EXPECT_FALSE(placer.place({{52, 10, 40, 12}}, kWhole));   // 2 pixels off
  EXPECT_TRUE(placer.place({{55, 10, 40, 12}}, kWhole));    // 5 pixels off
  EXPECT_FALSE(placer.place({{150, 10, 48, 12}}, kWhole));  // the gap would leave the area
}

TEST(LabelPlacer, KeepsLabelsOffASegment) {
  LabelPlacer placer(200, 100);
  placer.take_segment({20, 90}, {180, 10}, 2);             // a diagonal track
  EXPECT_FALSE(placer.is_free({95, 45, 10, 10}, kWhole));  // on it
  EXPECT_TRUE(placer.is_free({20, 10, 30, 10}, kWhole));   // above it
  EXPECT_TRUE(placer.is_free({150, 80, 30, 10}, kWhole));  // below it
}

}  // namespace
}  // namespace sb
