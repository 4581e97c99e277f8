#include "viewer/plot_text.h"

#include <gtest/gtest.h>

#include "viewer/plot_scene.h"

namespace sb {
namespace {

TEST(KilometresText, KeepsOnlyTheDecimalsNeeded) {
  const std::vector<std::pair<double, std::string>> cases = {
      {0, "0"}, {20000, "20"}, {302600, "302.6"}, {1250, "1.25"}, {7, "0.007"}, {-500, "-0.5"}};
  for (const auto& [metres, text] : cases) EXPECT_EQ(kilometres_text(metres), text) << metres;
}

TEST(RoundStep, CutsASpanIntoAtMostSoManySteps) {
  const std::vector<std::tuple<double, double, double>> cases = {
      {302600, 16, 20000}, {4000, 8, 500}, {1000, 10, 100},
      {1000, 9, 200},      {37, 5, 10},    {302600, 1, 500000}};
  for (const auto& [span, most, step] : cases) {
    EXPECT_EQ(round_step(span, most), step) << span << " / " << most;
  }
}

TEST(Chainage, ReadsThePostsToTheMetre) {
  PlotScene scene;
  scene.posts = KilometrePosts({Chainage{100000, 200000, 0}, Chainage{0, 350000, 0}, {}});
  EXPECT_EQ(reading_text(scene, 0), "350+000");
  EXPECT_EQ(reading_text(scene, 99950), "449+950");
  EXPECT_EQ(reading_text(scene, 99999.5), "450+000");  // half to even
  EXPECT_EQ(reading_text(scene, 99998.5), "449+998");
  EXPECT_EQ(reading_text(scene, 100000), "200+000");
  EXPECT_EQ(reading_text(scene, 102600.4), "202+600");
  EXPECT_EQ(reading_text(PlotScene{}, 1200), "1+200");  // no chainage: the route position

  EXPECT_EQ(chainage_text(647107), "647+107");
  EXPECT_EQ(chainage_text(350000), "350+000");
  EXPECT_EQ(chainage_text(42), "0+042");
  EXPECT_EQ(chainage_text(-1500), "-1+500");
}

}  // namespace
}  // namespace sb
