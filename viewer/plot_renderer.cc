#include "viewer/plot_renderer.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

#include "util/text.h"
#include "viewer/canvas.h"
#include "viewer/label_placer.h"
#include "viewer/plan_painter.h"
#include "viewer/plot_style.h"
#include "viewer/plot_text.h"
#include "viewer/profile_painter.h"
#include "viewer/svg_text.h"
#include "viewer/symbols.h"

namespace sb {
namespace {

void paint_title(Canvas& canvas, const PlotScene& scene, const PlotLayout& layout,
                 DistanceRange range) {
  const double font = layout.font_size;
  const PixelRect& title = layout.title;
  std::string heading = scene.scenario_name.empty() ? "Scenario" : scene.scenario_name;
  if (!scene.train_number.empty()) heading += "  \xC2\xB7  train " + scene.train_number;
  canvas.text_at(heading, {font * 1.5, FontWeight::kBold}, title.left, title.top + font * 0.9);
  std::string line = "route " + kilometres_text(scene.route_length) + " km";
  if (range.first != 0 || range.last != scene.route_length) {
    line += "  \xC2\xB7  shown: km " + kilometres_text(range.first) + " to " +
            kilometres_text(range.last);
  }
  line += "  \xC2\xB7  chainage " + reading_text(scene, range.first) + " to " +
          reading_text(scene, range.last);
  line += "  \xC2\xB7  " + std::to_string(scene.stations.size()) + " stations";
  canvas.text_at(line, {font, FontWeight::kNormal, palette::kMutedText}, title.left,
                 title.top + font * 2.5);
}

struct LegendEntry {
  std::string text;
  std::function<void(Canvas&, PixelPoint, double)> draw;
};

// A short piece of a band drawn along the track, as wide as on the map.
std::function<void(Canvas&, PixelPoint, double)> band(Colour colour, double width_factor) {
  return [colour, width_factor](Canvas& canvas, PixelPoint c, double size) {
    canvas.line({c.x - size * 0.9, c.y}, {c.x + size * 0.9, c.y}, colour, size * width_factor);
  };
}

std::function<void(Canvas&, PixelPoint, double)> mark(MarkKind kind) {
  return [kind](Canvas& canvas, PixelPoint c, double size) {
    draw_mark_symbol(canvas, kind, c, size);
  };
}

std::array<LegendEntry, kLegendEntries> legend_entries() {
  return {{
      {"track (plan)", band(palette::kTrack, 0.2)},
      {"start, end", draw_terminus_symbol},
      {"station, station area",
       [](Canvas& canvas, PixelPoint c, double size) {
         band(palette::kStationArea, 0.75)(canvas, c, size);
         draw_station_symbol(canvas, c, size * 0.95);
       }},
      {"signal", mark(MarkKind::kSignal)},
      {"speed board, km/h", mark(MarkKind::kSpeedBoard)},
      {"indication board", mark(MarkKind::kIndicationBoard)},
      {"slowdown warning", mark(MarkKind::kSlowdownWarning)},
      {"slowdown start, km/h", mark(MarkKind::kSlowdownStart)},
      {"slowdown end", mark(MarkKind::kSlowdownEnd)},
      {"slowdown stretch", band(palette::kSlowdown, 0.5)},
      {"code point", mark(MarkKind::kCodePoint)},
      {"code cut point", mark(MarkKind::kCodeCutPoint)},
      {"mountain stretch", band(palette::kMountain, 1.3)},
      {"line speed limit (profile)", band(palette::kSpeedLimit, 0.15)},
  }};
}

void paint_legend(Canvas& canvas, const PlotLayout& layout) {
  const PixelRect& legend = layout.legend;
  canvas.stroke_rect(legend, palette::kFrame, 1);
  const double font = layout.font_size;
  const double column_width = (legend.width - font) / layout.legend_columns;
  const TextStyle style{font * 0.9};
  int index = 0;
  for (const LegendEntry& entry : legend_entries()) {
    const int row = index / layout.legend_columns;
    const int column = index % layout.legend_columns;
    const double x = legend.left + font + column * column_width;
    const double y = legend.top + font * (1.45 + 1.9 * row);
    entry.draw(canvas, {x + font * 0.8, y}, font * 0.95);
    canvas.text_at(entry.text, style, x + font * 2.2, y);
    ++index;
  }
}

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

struct SurfaceCloser {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceCloser>;

bool paint_onto(cairo_surface_t* surface, const PlotScene& scene, const PlotLayout& layout,
                DistanceRange range, std::string* error, std::vector<KeptText>* texts = nullptr) {
  cairo_t* cairo = cairo_create(surface);
  draw_plot(cairo, scene, layout, range, texts);
  const cairo_status_t status = cairo_status(cairo);
  cairo_destroy(cairo);
  if (status != CAIRO_STATUS_SUCCESS) {
    *error = std::string("cannot draw: ") + cairo_status_to_string(status);
    return false;
  }
  return true;
}

bool finished(cairo_surface_t* surface, std::string* error) {
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    *error = std::string("cannot draw: ") + cairo_status_to_string(status);
    return false;
  }
  return true;
}

}  // namespace

std::optional<PlotFormat> plot_format_from_name(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  const std::string extension = cp1252_lower(path.substr(dot));
  if (extension == ".png") return PlotFormat::kPng;
  if (extension == ".svg") return PlotFormat::kSvg;
  if (extension == ".pdf") return PlotFormat::kPdf;
  return std::nullopt;
}

void draw_plot(cairo_t* cairo, const PlotScene& scene, const PlotLayout& layout,
               DistanceRange range, std::vector<KeptText>* texts) {
  Canvas canvas(cairo);
  canvas.keep_texts(texts);
  canvas.fill_rect({0, 0, double(layout.width), double(layout.height)}, palette::kPaper);
  LabelPlacer labels(layout.width, layout.height, 2, std::max(2.0, layout.font_size / 5));
  paint_title(canvas, scene, layout, range);
  paint_plan(canvas, labels, scene, layout, range);
  paint_profile(canvas, labels, scene, layout);
  paint_legend(canvas, layout);
}

bool render_plot(const PlotScene& scene, const PlotLayout& layout, DistanceRange range,
                 PlotFormat format, std::string* bytes, std::string* error) {
  bytes->clear();
  switch (format) {
    case PlotFormat::kPng: {
      Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.width, layout.height));
      if (!paint_onto(surface.get(), scene, layout, range, error)) return false;
      const cairo_status_t status =
          cairo_surface_write_to_png_stream(surface.get(), append_bytes, bytes);
      if (status != CAIRO_STATUS_SUCCESS) {
        *error = std::string("cannot encode the PNG: ") + cairo_status_to_string(status);
        return false;
      }
      return true;
    }
    case PlotFormat::kSvg: {
      Surface surface(
          cairo_svg_surface_create_for_stream(append_bytes, bytes, layout.width, layout.height));
      cairo_svg_surface_set_document_unit(surface.get(), CAIRO_SVG_UNIT_PX);
      std::vector<KeptText> texts;
      if (!paint_onto(surface.get(), scene, layout, range, error, &texts) ||
          !finished(surface.get(), error)) {
        return false;
      }
      *bytes = with_svg_texts(*bytes, texts);
      return true;
    }
    case PlotFormat::kPdf: {
      Surface surface(
          cairo_pdf_surface_create_for_stream(append_bytes, bytes, layout.width, layout.height));
      return paint_onto(surface.get(), scene, layout, range, error) &&
             finished(surface.get(), error);
    }
  }
  return false;
}

}  // namespace sb
