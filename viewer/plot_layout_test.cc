#include "viewer/plot_layout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "viewer/station_labels.h"

namespace sb {
namespace {

PlotScene scene_with_trace(const std::vector<TracePoint>& points) {
  PlotScene scene;
  scene.route_length = static_cast<int32_t>(points.size()) - 1;
  scene.trace = points;
  scene.trace_assigned.assign(points.size(), true);
  return scene;
}

TEST(LayoutPlot, MapIsToScaleNorthUpAndHoldsTheTrace) {
  // 4 km east and 1 km north.
  std::vector<TracePoint> points;
  for (int i = 0; i <= 4000; ++i) points.push_back({i * 1.0, i / 4.0});
  const PlotScene scene = scene_with_trace(points);
  const PlotLayout layout = layout_plot(scene, {0, 4000}, 1200);
  const PlanTransform& t = layout.plan_transform;

  const PixelPoint start = t.to_pixel(0, 0);
  const PixelPoint end = t.to_pixel(4000, 1000);
  EXPECT_TRUE(layout.plan.contains(start));
  EXPECT_TRUE(layout.plan.contains(end));
  EXPECT_GT(end.x, start.x);  // east is right
  EXPECT_LT(end.y, start.y);  // north is up
  // One scale both ways.
  EXPECT_NEAR((end.x - start.x) / 4000, (start.y - end.y) / 1000, 1e-9);
  // The wider extent fills the map's width but for its border.
  EXPECT_GT(end.x - start.x, 0.8 * layout.plan.width);
  EXPECT_EQ(layout.width, 1200);
}

TEST(LayoutPlot, StackedPartsDoNotOverlap) {
  const PlotScene scene = scene_with_trace({{0, 0}, {0, 1}, {0, 2}});
  const PlotLayout layout = layout_plot(scene, {0, 2}, 800);
  const std::vector<PixelRect> stack = {
      layout.title,        layout.plan,       layout.plan_footer,
      layout.station_lane, layout.speed_lane, layout.gradient_lane,
      layout.cab_lane,     layout.axis_band,  layout.legend};
  for (size_t i = 1; i < stack.size(); ++i) {
    EXPECT_GE(stack[i].top, stack[i - 1].bottom() - 1e-9) << i;
  }
  EXPECT_LE(layout.legend.bottom(), layout.height);
  // The straight trace still gets a finite scale.
  EXPECT_TRUE(std::isfinite(layout.plan_transform.pixels_per_metre));
  EXPECT_GT(layout.plan_transform.pixels_per_metre, 0);
}

TEST(LayoutPlot, AxisSpansTheChosenStretch) {
  std::vector<TracePoint> points;
  for (int i = 0; i <= 5000; ++i) points.push_back({0, i * 1.0});
  const PlotLayout layout = layout_plot(scene_with_trace(points), {1000, 3000}, 1000);
  EXPECT_DOUBLE_EQ(layout.axis.to_pixel(1000), layout.speed_lane.left);
  EXPECT_DOUBLE_EQ(layout.axis.to_pixel(3000), layout.speed_lane.right());
  // Only the rows of the stretch are fitted into the map.
  EXPECT_TRUE(layout.plan.contains(layout.plan_transform.to_pixel(0, 1000)));
  EXPECT_FALSE(layout.plan.contains(layout.plan_transform.to_pixel(0, 4000)));
}

// Stations 100 m apart on a 4 km axis: their names cannot share one row.
TEST(LayoutPlot, EveryStationNamedInAsManyRowsAsItTakes) {
  std::vector<TracePoint> points;
  for (int row = 0; row <= 4000; ++row) points.push_back({0, double(row)});
  PlotScene scene = scene_with_trace(points);
  for (int i = 0; i < 6; ++i) {
    scene.stations.push_back({1000 + 100 * i, 900 + 100 * i, 1100 + 100 * i, 12,
                              "STAZIONE NUMERO " + std::to_string(i)});
  }
  const PlotLayout layout = layout_plot(scene, {0, 4000}, 800);
  EXPECT_GT(layout.station_name_rows, 1);
  EXPECT_LE(layout.station_name_rows, kMostStationRows);
  const PlotLayout one = layout_plot(scene_with_trace(points), {0, 4000}, 800);
  EXPECT_EQ(one.station_name_rows, 1);
  EXPECT_GE(layout.station_lane.height, one.station_lane.height);

  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cairo = cairo_create(surface);
  Canvas canvas(cairo);
  const std::vector<PackedLabel> packed =
      pack_station_names(canvas, scene, layout.axis, layout.font_size, layout.station_name_rows);
  ASSERT_EQ(packed.size(), scene.stations.size());
  for (size_t i = 0; i < packed.size(); ++i) {
    ASSERT_GE(packed[i].row, 0) << scene.stations[i].name;
    const double width =
        canvas.text_width(scene.stations[i].name, station_name_style(layout.font_size));
    EXPECT_GE(packed[i].left, layout.axis.left);
    EXPECT_LE(packed[i].left + width, layout.axis.right);
    for (size_t j = 0; j < i; ++j) {
      if (packed[j].row != packed[i].row) continue;
      const double other =
          canvas.text_width(scene.stations[j].name, station_name_style(layout.font_size));
      EXPECT_TRUE(packed[j].left + other <= packed[i].left ||
                  packed[i].left + width <= packed[j].left)
          << i << " meets " << j;
    }
  }
  cairo_destroy(cairo);
  cairo_surface_destroy(surface);
}

}  // namespace
}  // namespace sb
