#include "platform/window_geometry.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(TwipsToPixels, RoundsToTheNearestPixel) {
  struct Case {
    int twips;
    int pixels;
  };
  const Case cases[] = {
      {0, 0},      {7, 0},  // 0.47 px
      {8, 1},               // 0.53 px
      {960, 64},            // a whole number of pixels
      {2688, 179},          // 179.2 px rounds down
      {2652, 177},          // 176.8 px rounds up
      {-8, -1},             // left of the origin
  };
  for (const Case& c : cases) {
    EXPECT_EQ(twips_to_pixels(c.twips), c.pixels) << c.twips << " twips";
  }
}

TEST(PointsToPixels, TwentyTwipsToThePoint) {
  EXPECT_EQ(points_to_pixels(24), 32);
  EXPECT_EQ(points_to_pixels(8), 11);  // 10.67 px
}

TEST(WaitingWindowLayout, FormAndLabelInPixels) {
  const WaitingWindowLayout layout = waiting_window_layout();
  EXPECT_EQ(layout.client_width, 280);
  EXPECT_EQ(layout.client_height, 179);
  EXPECT_EQ(layout.label.left, 64);
  EXPECT_EQ(layout.label.top, 64);
  EXPECT_EQ(layout.label.width, 177);
  EXPECT_EQ(layout.label.height, 53);
  EXPECT_EQ(layout.font_height, 32);
  EXPECT_EQ(layout.font_weight, 700);
}

}  // namespace
}  // namespace sb
