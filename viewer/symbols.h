#ifndef SCENARIO_BUILDER_VIEWER_SYMBOLS_H_
#define SCENARIO_BUILDER_VIEWER_SYMBOLS_H_

#include "viewer/canvas.h"
#include "viewer/plot_scene.h"

namespace sb {

// The symbols of the drawings, each centred on its point and about `size`
// pixels across; the legend draws them the same way.
void draw_mark_symbol(Canvas& canvas, MarkKind kind, PixelPoint centre, double size);
void draw_station_symbol(Canvas& canvas, PixelPoint centre, double size);
// The start and the end of the drawn stretch.
void draw_terminus_symbol(Canvas& canvas, PixelPoint centre, double size);

// The square a symbol covers.
PixelRect symbol_box(PixelPoint centre, double size);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_SYMBOLS_H_
