#ifndef SCENARIO_BUILDER_VIEWER_STATION_LABELS_H_
#define SCENARIO_BUILDER_VIEWER_STATION_LABELS_H_

#include <vector>

#include "viewer/canvas.h"
#include "viewer/plot_layout.h"
#include "viewer/plot_scene.h"
#include "viewer/row_packer.h"

namespace sb {

// The names of the stations in the profile's Stations lane stand above
// their marks in rows, as many as it takes to name every station (up to
// kMostStationRows), each name over its mark or as near it as the names
// before it allow.

inline constexpr int kMostStationRows = 5;
// From one row of names to the next, in font sizes.
inline constexpr double kStationNameRowPitch = 1.1;

TextStyle station_name_style(double font_size);

// One packed name per station of the scene, in the scene's order; row -1
// for a station outside the axis, without a name, or without room.
std::vector<PackedLabel> pack_station_names(Canvas& canvas, const PlotScene& scene,
                                            const DistanceAxis& axis, double font_size,
                                            int most_rows);

// The rows the names take when every station may have one: 1 at least.
int station_name_rows(const PlotScene& scene, const DistanceAxis& axis, double font_size);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_STATION_LABELS_H_
