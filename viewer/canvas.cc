#include "viewer/canvas.h"

#include <numbers>

namespace sb {

void Canvas::set_colour(Colour colour) {
  cairo_set_source_rgba(cairo_, colour.red, colour.green, colour.blue, colour.alpha);
}

void Canvas::fill_rect(const PixelRect& rect, Colour colour) {
  set_colour(colour);
  cairo_rectangle(cairo_, rect.left, rect.top, rect.width, rect.height);
  cairo_fill(cairo_);
}

void Canvas::stroke_rect(const PixelRect& rect, Colour colour, double line_width) {
  set_colour(colour);
  cairo_set_line_width(cairo_, line_width);
  cairo_rectangle(cairo_, rect.left, rect.top, rect.width, rect.height);
  cairo_stroke(cairo_);
}

void Canvas::line(PixelPoint from, PixelPoint to, Colour colour, double line_width) {
  set_colour(colour);
  cairo_set_line_width(cairo_, line_width);
  cairo_move_to(cairo_, from.x, from.y);
  cairo_line_to(cairo_, to.x, to.y);
  cairo_stroke(cairo_);
}

void Canvas::circle(PixelPoint centre, double radius, Colour fill, Colour outline,
                    double line_width) {
  cairo_new_path(cairo_);
  cairo_arc(cairo_, centre.x, centre.y, radius, 0, 2 * std::numbers::pi);
  set_colour(fill);
  cairo_fill_preserve(cairo_);
  set_colour(outline);
  cairo_set_line_width(cairo_, line_width);
  cairo_stroke(cairo_);
}

void Canvas::select(const TextStyle& style) {
  cairo_select_font_face(
      cairo_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
      style.weight == FontWeight::kBold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cairo_, style.size);
}

double Canvas::text_width(const std::string& text, const TextStyle& style) {
  select(style);
  cairo_text_extents_t extents;
  cairo_text_extents(cairo_, text.c_str(), &extents);
  return extents.x_advance;
}

PixelRect Canvas::text_box(const std::string& text, const TextStyle& style, PixelPoint centre) {
  const double width = text_width(text, style);
  cairo_font_extents_t font;
  cairo_font_extents(cairo_, &font);
  const double height = font.ascent + font.descent;
  return {centre.x - width / 2, centre.y - height / 2, width, height};
}

void Canvas::text(const std::string& text, const TextStyle& style, const PixelRect& box) {
  select(style);
  cairo_font_extents_t font;
  cairo_font_extents(cairo_, &font);
  if (kept_texts_ != nullptr) {
    kept_texts_->push_back({text, style, box.left, box.top + font.ascent});
    return;
  }
  cairo_new_path(cairo_);
  cairo_move_to(cairo_, box.left, box.top + font.ascent);
  if (style.halo) {
    // The outline is a path; the letters over it stay text, which a PDF
    // keeps searchable.
    cairo_text_path(cairo_, text.c_str());
    set_colour({1, 1, 1, 0.9});
    cairo_set_line_width(cairo_, style.size * 0.28);
    cairo_set_line_join(cairo_, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cairo_);
    cairo_move_to(cairo_, box.left, box.top + font.ascent);
  }
  set_colour(style.colour);
  cairo_show_text(cairo_, text.c_str());
}

PixelRect Canvas::text_at(const std::string& text, const TextStyle& style, double x, double y) {
  PixelRect box = text_box(text, style, {x, y});
  box.left = x;
  this->text(text, style, box);
  return box;
}

}  // namespace sb
