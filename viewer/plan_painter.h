#ifndef SCENARIO_BUILDER_VIEWER_PLAN_PAINTER_H_
#define SCENARIO_BUILDER_VIEWER_PLAN_PAINTER_H_

#include "viewer/canvas.h"
#include "viewer/label_placer.h"
#include "viewer/plot_layout.h"
#include "viewer/plot_scene.h"

namespace sb {

// Paints the map: the trace to scale, mountain stretches, slowdown stretches
// and station areas along it, the objects beside it, the start and the end,
// kilometre ticks, labels where they fit, a north arrow and a scale bar.
void paint_plan(Canvas& canvas, LabelPlacer& labels, const PlotScene& scene,
                const PlotLayout& layout, DistanceRange range);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_PLAN_PAINTER_H_
