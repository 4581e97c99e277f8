#ifndef SCENARIO_BUILDER_VIEWER_PLOT_LAYOUT_H_
#define SCENARIO_BUILDER_VIEWER_PLOT_LAYOUT_H_

#include <cstdint>

#include "viewer/plot_scene.h"

namespace sb {

struct PixelPoint {
  double x = 0;
  double y = 0;
};

struct PixelRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;

  double right() const { return left + width; }
  double bottom() const { return top + height; }
  bool contains(PixelPoint p) const {
    return p.x >= left && p.x <= right() && p.y >= top && p.y <= bottom();
  }
};

// The route metres a drawing covers, first <= last.
struct DistanceRange {
  int32_t first = 0;
  int32_t last = 0;
};

// Plan coordinates (x east, y north, metres) to pixels (y down): north up,
// the same scale both ways, so the drawing is to scale.
struct PlanTransform {
  double pixels_per_metre = 1;
  double east_origin = 0;  // world point drawn at (pixel_x, pixel_y)
  double north_origin = 0;
  double pixel_x = 0;
  double pixel_y = 0;

  PixelPoint to_pixel(double east, double north) const {
    return {pixel_x + (east - east_origin) * pixels_per_metre,
            pixel_y - (north - north_origin) * pixels_per_metre};
  }
  PixelPoint to_pixel(TracePoint point) const { return to_pixel(point.east, point.north); }
};

// Route metres to the x pixel of the profile strip.
struct DistanceAxis {
  double first = 0;  // metres at `left`
  double last = 1;   // metres at `right`
  double left = 0;
  double right = 1;

  double to_pixel(double position) const {
    return left + (position - first) * (right - left) / (last - first);
  }
};

// Where every part of a drawing goes.  Sizes are pixels (points for the
// vector formats); the height follows from the width and the shape of the
// line.
struct PlotLayout {
  int width = 0;
  int height = 0;
  double font_size = 12;

  PixelRect title;
  PixelRect plan;         // framed map
  PixelRect plan_footer;  // north arrow and scale bar
  PlanTransform plan_transform;

  // Profile strip: its lanes share one distance axis; lane titles stand in
  // the gutter on their left.
  double gutter_left = 0;
  PixelRect station_lane;
  int station_name_rows = 1;  // rows of names above the station marks
  PixelRect speed_lane;
  PixelRect gradient_lane;
  PixelRect cab_lane;
  PixelRect axis_band;  // route kilometres and chainage
  DistanceAxis axis;

  PixelRect legend;
  int legend_columns = 1;
};

inline constexpr int kSmallestPlotWidth = 400;
inline constexpr int kLargestPlotWidth = 16000;
// The most pixels a PNG may have: its image takes 4 bytes a pixel in memory
// (400 MB at this bound) before it is encoded.
inline constexpr int64_t kMostPngPixels = 100'000'000;

// Number of legend entries, which the layout makes room for.
inline constexpr int kLegendEntries = 14;

// Lays out a drawing `width` wide of the stretch `range` of the scene.  The
// map fits the trace points of the stretch.
PlotLayout layout_plot(const PlotScene& scene, DistanceRange range, int width);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_PLOT_LAYOUT_H_
