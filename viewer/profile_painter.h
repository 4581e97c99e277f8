#ifndef SCENARIO_BUILDER_VIEWER_PROFILE_PAINTER_H_
#define SCENARIO_BUILDER_VIEWER_PROFILE_PAINTER_H_

#include "viewer/canvas.h"
#include "viewer/label_placer.h"
#include "viewer/plot_layout.h"
#include "viewer/plot_scene.h"

namespace sb {

// Paints the profile strip under the map: station areas, the line speed
// limit with the slowdown speeds, the gradient with the mountain stretches
// behind it, the cab-signalling stretch, and the distance axis in route
// kilometres and in the line's own chainage, over the stretch of the
// layout's axis.
void paint_profile(Canvas& canvas, LabelPlacer& labels, const PlotScene& scene,
                   const PlotLayout& layout);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_PROFILE_PAINTER_H_
