#include "platform/window_geometry.h"

#include "util/rounding.h"

namespace sb {
namespace {

constexpr int kClientWidthTwips = 4200;
constexpr int kClientHeightTwips = 2688;
constexpr int kLabelLeftTwips = 960;
constexpr int kLabelTopTwips = 960;
constexpr int kLabelWidthTwips = 2652;
constexpr int kLabelHeightTwips = 792;
constexpr int kLabelFontPoints = 24;
constexpr int kBoldWeight = 700;

}  // namespace

int twips_to_pixels(int twips) { return static_cast<int>(round_div(twips, kTwipsPerPixel)); }

int points_to_pixels(int points) { return twips_to_pixels(points * kTwipsPerPoint); }

WaitingWindowLayout waiting_window_layout() {
  WaitingWindowLayout layout;
  layout.client_width = twips_to_pixels(kClientWidthTwips);
  layout.client_height = twips_to_pixels(kClientHeightTwips);
  layout.label = {twips_to_pixels(kLabelLeftTwips), twips_to_pixels(kLabelTopTwips),
                  twips_to_pixels(kLabelWidthTwips), twips_to_pixels(kLabelHeightTwips)};
  layout.font_height = points_to_pixels(kLabelFontPoints);
  layout.font_weight = kBoldWeight;
  return layout;
}

}  // namespace sb
