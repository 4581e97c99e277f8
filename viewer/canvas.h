#ifndef SCENARIO_BUILDER_VIEWER_CANVAS_H_
#define SCENARIO_BUILDER_VIEWER_CANVAS_H_

#include <cairo.h>

#include <string>
#include <vector>

#include "viewer/plot_layout.h"
#include "viewer/plot_style.h"

namespace sb {

enum class FontWeight { kNormal, kBold };

struct TextStyle {
  double size = 12;
  FontWeight weight = FontWeight::kNormal;
  Colour colour = palette::kText;
  bool halo = false;  // a white outline, for text over the map
};

// A text as it was to be drawn: its left end at x, on the baseline.
struct KeptText {
  std::string text;
  TextStyle style;
  double x = 0;
  double baseline = 0;
};

// Drawing primitives over a cairo context, in pixels.  Texts are UTF-8.
class Canvas {
 public:
  explicit Canvas(cairo_t* cairo) : cairo_(cairo) {}

  // From now on texts are measured as before but kept in `texts`, in the
  // order they are drawn, instead of being drawn.
  void keep_texts(std::vector<KeptText>* texts) { kept_texts_ = texts; }

  cairo_t* cairo() const { return cairo_; }
  void set_colour(Colour colour);

  void fill_rect(const PixelRect& rect, Colour colour);
  void stroke_rect(const PixelRect& rect, Colour colour, double line_width);
  void line(PixelPoint from, PixelPoint to, Colour colour, double line_width);
  void circle(PixelPoint centre, double radius, Colour fill, Colour outline, double line_width);

  // The box a text takes: its advance wide, the font's ascent and descent
  // high.
  PixelRect text_box(const std::string& text, const TextStyle& style, PixelPoint centre);
  double text_width(const std::string& text, const TextStyle& style);
  // Draws the text so that it fills `box` as text_box measured it.
  void text(const std::string& text, const TextStyle& style, const PixelRect& box);
  // Text whose left end stands at x and whose middle at y.
  PixelRect text_at(const std::string& text, const TextStyle& style, double x, double y);

 private:
  void select(const TextStyle& style);

  cairo_t* cairo_;
  std::vector<KeptText>* kept_texts_ = nullptr;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_CANVAS_H_
