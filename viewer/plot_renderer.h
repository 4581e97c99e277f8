#ifndef SCENARIO_BUILDER_VIEWER_PLOT_RENDERER_H_
#define SCENARIO_BUILDER_VIEWER_PLOT_RENDERER_H_

#include <cairo.h>

#include <optional>
#include <string>
#include <vector>

#include "viewer/canvas.h"
#include "viewer/plot_layout.h"
#include "viewer/plot_scene.h"

namespace sb {

enum class PlotFormat { kPng, kSvg, kPdf };

// The format an output name asks for by its extension (".png", ".svg",
// ".pdf", letter case ignored); nothing for any other.
std::optional<PlotFormat> plot_format_from_name(const std::string& path);

// Paints the whole drawing onto a cairo context of layout.width by
// layout.height: title, plan, profile strip and legend.  With `texts` the
// texts are kept there instead of being painted.
void draw_plot(cairo_t* cairo, const PlotScene& scene, const PlotLayout& layout,
               DistanceRange range, std::vector<KeptText>* texts = nullptr);

// The drawing as the bytes of a file of the format; false and *error when
// cairo fails.  The texts of an SVG or PDF stay texts, which can be searched
// and selected.
bool render_plot(const PlotScene& scene, const PlotLayout& layout, DistanceRange range,
                 PlotFormat format, std::string* bytes, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_PLOT_RENDERER_H_
