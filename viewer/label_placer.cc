#include "viewer/label_placer.h"

#include <algorithm>
#include <cmath>

namespace sb {

LabelPlacer::LabelPlacer(double width, double height, double square, double gap)
    : square_(square),
      gap_(gap),
      columns_(std::max(1, static_cast<int>(std::ceil(width / square)))),
      rows_(std::max(1, static_cast<int>(std::ceil(height / square)))),
      taken_(static_cast<size_t>(columns_) * static_cast<size_t>(rows_), 0) {}

namespace {

// The square holding `position`, the nearest of 0 to `last` for one outside
// them; an undefined position falls in square 0.
int square_index(double position, double square, int last) {
  const double index = std::floor(position / square);
  if (!(index > 0)) return 0;
  return index < last ? static_cast<int>(index) : last;
}

}  // namespace

int LabelPlacer::column(double x) const { return square_index(x, square_, columns_ - 1); }

int LabelPlacer::row(double y) const { return square_index(y, square_, rows_ - 1); }

bool LabelPlacer::is_free(const PixelRect& rect, const PixelRect& area) const {
  if (rect.left < area.left || rect.top < area.top || rect.right() > area.right() ||
      rect.bottom() > area.bottom()) {
    return false;
  }
  for (int r = row(rect.top); r <= row(rect.bottom()); ++r) {
    for (int c = column(rect.left); c <= column(rect.right()); ++c) {
      if (taken_[static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c)])
        return false;
    }
  }
  return true;
}

void LabelPlacer::take(const PixelRect& rect) {
  for (int r = row(rect.top); r <= row(rect.bottom()); ++r) {
    for (int c = column(rect.left); c <= column(rect.right()); ++c) {
      taken_[static_cast<size_t>(r) * static_cast<size_t>(columns_) + static_cast<size_t>(c)] = 1;
    }
  }
}

void LabelPlacer::take_segment(PixelPoint from, PixelPoint to, double half_width) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  const int steps = std::max(1, static_cast<int>(std::ceil(length / (square_ / 2))));
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    const double x = from.x + (to.x - from.x) * t;
    const double y = from.y + (to.y - from.y) * t;
    take({x - half_width, y - half_width, 2 * half_width, 2 * half_width});
  }
}

std::optional<PixelRect> LabelPlacer::place(const std::vector<PixelRect>& candidates,
                                            const PixelRect& area) {
  for (const PixelRect& rect : candidates) {
    const PixelRect with_gap{rect.left - gap_, rect.top - gap_, rect.width + 2 * gap_,
                             rect.height + 2 * gap_};
    if (is_free(with_gap, area)) {
      take(rect);
      return rect;
    }
  }
  return std::nullopt;
}

}  // namespace sb
