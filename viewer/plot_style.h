#ifndef SCENARIO_BUILDER_VIEWER_PLOT_STYLE_H_
#define SCENARIO_BUILDER_VIEWER_PLOT_STYLE_H_

namespace sb {

struct Colour {
  double red = 0;
  double green = 0;
  double blue = 0;
  double alpha = 1;
};

// The colours of the drawings.
namespace palette {
inline constexpr Colour kPaper{1, 1, 1};
inline constexpr Colour kMapGround{0.975, 0.978, 0.984};
inline constexpr Colour kLaneGround{0.985, 0.987, 0.99};
inline constexpr Colour kFrame{0.70, 0.72, 0.75};
inline constexpr Colour kGrid{0.86, 0.87, 0.89};
inline constexpr Colour kText{0.12, 0.13, 0.15};
inline constexpr Colour kMutedText{0.38, 0.40, 0.44};
inline constexpr Colour kTrack{0.11, 0.22, 0.42};
inline constexpr Colour kMountain{0.62, 0.47, 0.33, 0.35};
inline constexpr Colour kStationArea{0.55, 0.72, 0.90};
inline constexpr Colour kStationLine{0.10, 0.10, 0.12};
inline constexpr Colour kSignal{0.83, 0.11, 0.13};
inline constexpr Colour kSpeedBoard{0.20, 0.20, 0.22};
inline constexpr Colour kIndicationBoard{0.05, 0.50, 0.55};
inline constexpr Colour kSlowdown{0.95, 0.50, 0.05};
inline constexpr Colour kSlowdownWarning{0.98, 0.82, 0.10};
inline constexpr Colour kCodePoint{0.52, 0.28, 0.70};
inline constexpr Colour kCodeCutPoint{0.45, 0.45, 0.48};
inline constexpr Colour kStartEnd{0.10, 0.55, 0.25};
inline constexpr Colour kSpeedLimit{0.11, 0.22, 0.42};
inline constexpr Colour kGradientUp{0.74, 0.38, 0.22};
inline constexpr Colour kGradientDown{0.20, 0.58, 0.38};
inline constexpr Colour kCabSignalling{0.24, 0.55, 0.82};
}  // namespace palette

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_PLOT_STYLE_H_
