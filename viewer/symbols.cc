#include "viewer/symbols.h"

#include <algorithm>
#include <numbers>

namespace sb {
namespace {

void polygon(Canvas& canvas, std::initializer_list<PixelPoint> points, Colour fill, Colour outline,
             double line_width) {
  cairo_t* cr = canvas.cairo();
  cairo_new_path(cr);
  for (const PixelPoint& p : points) cairo_line_to(cr, p.x, p.y);
  cairo_close_path(cr);
  canvas.set_colour(fill);
  cairo_fill_preserve(cr);
  canvas.set_colour(outline);
  cairo_set_line_width(cr, line_width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void cross(Canvas& canvas, PixelPoint c, double h, bool diagonal, Colour colour, double width) {
  cairo_set_line_cap(canvas.cairo(), CAIRO_LINE_CAP_ROUND);
  if (diagonal) {
    canvas.line({c.x - h, c.y - h}, {c.x + h, c.y + h}, colour, width);
    canvas.line({c.x - h, c.y + h}, {c.x + h, c.y - h}, colour, width);
  } else {
    canvas.line({c.x - h, c.y}, {c.x + h, c.y}, colour, width);
    canvas.line({c.x, c.y - h}, {c.x, c.y + h}, colour, width);
  }
  cairo_set_line_cap(canvas.cairo(), CAIRO_LINE_CAP_BUTT);
}

}  // namespace

void draw_mark_symbol(Canvas& canvas, MarkKind kind, PixelPoint c, double size) {
  const double h = size / 2;
  const double thin = std::max(0.8, size / 10);
  const Colour ink = palette::kText;
  switch (kind) {
    case MarkKind::kSignal:
      canvas.circle(c, h * 0.8, palette::kSignal, {0.35, 0.02, 0.03}, thin);
      break;
    case MarkKind::kSpeedBoard:
      polygon(canvas,
              {{c.x - h * 0.75, c.y - h * 0.75},
               {c.x + h * 0.75, c.y - h * 0.75},
               {c.x + h * 0.75, c.y + h * 0.75},
               {c.x - h * 0.75, c.y + h * 0.75}},
              palette::kPaper, palette::kSpeedBoard, thin * 1.4);
      break;
    case MarkKind::kIndicationBoard:
      polygon(canvas, {{c.x, c.y - h}, {c.x + h, c.y}, {c.x, c.y + h}, {c.x - h, c.y}},
              palette::kIndicationBoard, ink, thin);
      break;
    case MarkKind::kSlowdownWarning:
      polygon(canvas, {{c.x, c.y - h}, {c.x + h, c.y + h * 0.75}, {c.x - h, c.y + h * 0.75}},
              palette::kSlowdownWarning, ink, thin);
      break;
    case MarkKind::kSlowdownStart:
      polygon(canvas, {{c.x - h, c.y - h * 0.75}, {c.x + h, c.y - h * 0.75}, {c.x, c.y + h}},
              palette::kSlowdown, ink, thin);
      break;
    case MarkKind::kSlowdownEnd:
      polygon(canvas, {{c.x, c.y - h}, {c.x + h, c.y + h * 0.75}, {c.x - h, c.y + h * 0.75}},
              palette::kPaper, palette::kSlowdown, thin * 2);
      break;
    case MarkKind::kCodePoint:
      cross(canvas, c, h * 0.7, false, palette::kCodePoint, thin * 2.2);
      break;
    case MarkKind::kCodeCutPoint:
      cross(canvas, c, h * 0.6, true, palette::kCodeCutPoint, thin * 2.2);
      break;
  }
}

void draw_station_symbol(Canvas& canvas, PixelPoint centre, double size) {
  canvas.circle(centre, size / 2, palette::kPaper, palette::kStationLine, std::max(1.2, size / 6));
}

void draw_terminus_symbol(Canvas& canvas, PixelPoint centre, double size) {
  // A ring, so that a station standing at the very start or end shows in it.
  cairo_t* cr = canvas.cairo();
  cairo_new_path(cr);
  cairo_arc(cr, centre.x, centre.y, size * 0.4, 0, 2 * std::numbers::pi);
  canvas.set_colour(palette::kStartEnd);
  cairo_set_line_width(cr, size * 0.2);
  cairo_stroke(cr);
}

PixelRect symbol_box(PixelPoint centre, double size) {
  return {centre.x - size / 2, centre.y - size / 2, size, size};
}

}  // namespace sb
