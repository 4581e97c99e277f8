#include "viewer/station_labels.h"

#include <algorithm>
#include <memory>

namespace sb {

TextStyle station_name_style(double font_size) {
  return {font_size * 0.85, FontWeight::kNormal, palette::kText, true};
}

std::vector<PackedLabel> pack_station_names(Canvas& canvas, const PlotScene& scene,
                                            const DistanceAxis& axis, double font_size,
                                            int most_rows) {
  const TextStyle style = station_name_style(font_size);
  std::vector<AnchoredLabel> labels;
  std::vector<size_t> stations;
  for (size_t i = 0; i < scene.stations.size(); ++i) {
    const StationMark& s = scene.stations[i];
    if (s.position < axis.first || s.position > axis.last || s.name.empty()) continue;
    labels.push_back({axis.to_pixel(s.position), canvas.text_width(s.name, style)});
    stations.push_back(i);
  }
  const RowLimits limits{axis.left + 2, axis.right - 2, font_size * 0.8, font_size * 12, most_rows};
  const std::vector<PackedLabel> packed = pack_label_rows(labels, limits);
  std::vector<PackedLabel> by_station(scene.stations.size());
  for (size_t i = 0; i < packed.size(); ++i) by_station[stations[i]] = packed[i];
  return by_station;
}

int station_name_rows(const PlotScene& scene, const DistanceAxis& axis, double font_size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cairo = cairo_create(surface);
  Canvas canvas(cairo);
  const int rows = rows_used(pack_station_names(canvas, scene, axis, font_size, kMostStationRows));
  cairo_destroy(cairo);
  cairo_surface_destroy(surface);
  return std::max(rows, 1);
}

}  // namespace sb
