#include "viewer/plot_layout.h"

#include <algorithm>
#include <cmath>

#include "viewer/station_labels.h"

namespace sb {
namespace {

struct Bounds {
  double west = 0;
  double east = 0;
  double south = 0;
  double north = 0;
  bool empty = true;

  void add(TracePoint p) {
    if (empty) {
      west = east = p.east;
      south = north = p.north;
      empty = false;
      return;
    }
    west = std::min(west, p.east);
    east = std::max(east, p.east);
    south = std::min(south, p.north);
    north = std::max(north, p.north);
  }
};

Bounds trace_bounds(const PlotScene& scene, DistanceRange range) {
  Bounds bounds;
  for (int32_t row = range.first; row <= range.last; ++row) {
    if (scene.has_point(row)) bounds.add(scene.trace[static_cast<size_t>(row)]);
  }
  if (bounds.empty) bounds.add({0, 0});
  return bounds;
}

// Fits the bounds, centred, into `map`; a trace that is one straight line
// gets a width or height of a few metres so the scale stays finite.
PlanTransform fit(const Bounds& bounds, const PixelRect& map) {
  const double span_east = std::max(bounds.east - bounds.west, 1.0);
  const double span_north = std::max(bounds.north - bounds.south, 1.0);
  PlanTransform transform;
  transform.pixels_per_metre = std::min(map.width / span_east, map.height / span_north);
  transform.east_origin = (bounds.west + bounds.east) / 2;
  transform.north_origin = (bounds.south + bounds.north) / 2;
  transform.pixel_x = map.left + map.width / 2;
  transform.pixel_y = map.top + map.height / 2;
  return transform;
}

// The map's height for its width: the trace's own shape, kept between a
// wide strip and a square-ish panel.
double map_height(const Bounds& bounds, double map_width, int width) {
  const double span_east = std::max(bounds.east - bounds.west, 1.0);
  const double span_north = std::max(bounds.north - bounds.south, 1.0);
  const double natural = map_width * span_north / span_east;
  return std::clamp(natural, 0.28 * width, 0.95 * width);
}

}  // namespace

PlotLayout layout_plot(const PlotScene& scene, DistanceRange range, int width) {
  PlotLayout layout;
  layout.width = width;
  const double font = std::clamp(width / 120.0, 10.0, 16.0);
  layout.font_size = font;
  const double margin = std::round(1.6 * font);
  const double inner_width = width - 2 * margin;
  double y = margin / 2;

  layout.title = {margin, y, inner_width, std::round(3.2 * font)};
  y = layout.title.bottom() + font / 2;

  // The map keeps a border for labels and symbols beside the trace.
  const Bounds bounds = trace_bounds(scene, range);
  const double map_pad = std::round(4 * font);
  const double map_width = inner_width - 2 * map_pad;
  const double map_h = map_height(bounds, map_width, width);
  layout.plan = {margin, y, inner_width, map_h + 2 * map_pad};
  layout.plan_transform = fit(bounds, {margin + map_pad, y + map_pad, map_width, map_h});
  y = layout.plan.bottom();
  layout.plan_footer = {margin, y, inner_width, std::round(3 * font)};
  y = layout.plan_footer.bottom() + font;

  layout.gutter_left = margin;
  const double lane_left = margin + std::round(9 * font);
  const double lane_width = width - margin - lane_left;
  const auto lane = [&](double height) {
    const PixelRect rect{lane_left, y, lane_width, std::round(height)};
    y = rect.bottom() + std::round(font * 0.8);
    return rect;
  };
  layout.axis = {static_cast<double>(range.first),
                 static_cast<double>(std::max(range.last, range.first + 1)), lane_left,
                 lane_left + lane_width};
  layout.station_name_rows = station_name_rows(scene, layout.axis, font);
  // The names' rows above the station marks, which take the lowest 2.4 fonts.
  layout.station_lane =
      lane(std::max(6.5, layout.station_name_rows * kStationNameRowPitch + 2.9) * font);
  layout.speed_lane = lane(11 * font);
  layout.gradient_lane = lane(8 * font);
  layout.cab_lane = lane(1.8 * font);
  layout.axis_band = {lane_left, y - std::round(font * 0.8), lane_width, std::round(4 * font)};
  y = layout.axis_band.bottom() + font;

  const double entry_width = 15 * font;
  layout.legend_columns = std::max(1, static_cast<int>(inner_width / entry_width));
  const int rows = (kLegendEntries + layout.legend_columns - 1) / layout.legend_columns;
  layout.legend = {margin, y, inner_width, rows * 1.9 * font + font};
  y = layout.legend.bottom() + margin / 2;
  layout.height = static_cast<int>(std::ceil(y));
  return layout;
}

}  // namespace sb
