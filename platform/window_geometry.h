#ifndef SCENARIO_BUILDER_PLATFORM_WINDOW_GEOMETRY_H_
#define SCENARIO_BUILDER_PLATFORM_WINDOW_GEOMETRY_H_

namespace sb {

// The waiting window is laid out in twips, 1440 to the inch; the screen has
// 15 twips to the pixel (96 dots to the inch).
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kTwipsPerPoint = 20;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Everything the window needs in pixels.
struct WaitingWindowLayout {
  int client_width = 0;
  int client_height = 0;
  PixelRect label;      // where "Attendere" stands in the client area
  int font_height = 0;  // the label's character height (em), in pixels
  int font_weight = 0;  // 700: bold
};

// Twips to whole pixels, rounded to the nearest pixel, halves to even.
int twips_to_pixels(int twips);

// Points of a font size to whole pixels, rounded the same way.
int points_to_pixels(int points);

// The window `Form1`: a client area of 4200 x 2688 twips holding the label
// `Label1` at 960, 960 twips, 2652 x 792 twips, in 24-point bold type.
WaitingWindowLayout waiting_window_layout();

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_WINDOW_GEOMETRY_H_
