#ifndef SCENARIO_BUILDER_VIEWER_LABEL_PLACER_H_
#define SCENARIO_BUILDER_VIEWER_LABEL_PLACER_H_

#include <cstdint>
#include <optional>
#include <vector>

#include "viewer/plot_layout.h"

namespace sb {

// Keeps labels from piling on each other and on the track: a grid of small
// squares over the drawing, each taken once a label or an obstacle covers
// it.  Labels are offered in order of importance; one that would touch a
// taken square or leave its area is left out, which thins them where the
// drawing is crowded.
class LabelPlacer {
 public:
  // `gap`: the room place() keeps between a label and what is taken.
  LabelPlacer(double width, double height, double square = 2, double gap = 0);

  // True when the rectangle lies inside `area` and touches nothing taken.
  bool is_free(const PixelRect& rect, const PixelRect& area) const;
  void take(const PixelRect& rect);
  // Takes the squares within `half_width` of the segment.
  void take_segment(PixelPoint from, PixelPoint to, double half_width);

  // Takes and returns the first candidate that is free with the gap around
  // it; nothing when none is.
  std::optional<PixelRect> place(const std::vector<PixelRect>& candidates, const PixelRect& area);

 private:
  int column(double x) const;
  int row(double y) const;

  double square_;
  double gap_;
  int columns_;
  int rows_;
  std::vector<uint8_t> taken_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_LABEL_PLACER_H_
