#ifndef SCENARIO_BUILDER_VIEWER_ROW_PACKER_H_
#define SCENARIO_BUILDER_VIEWER_ROW_PACKER_H_

#include <vector>

namespace sb {

// A label that belongs to a point of a horizontal axis.
struct AnchoredLabel {
  double anchor = 0;  // x of the point, pixels
  double width = 0;
};

// Where a label went: a row (0 the first) and its left edge; row -1 when it
// found no room.
struct PackedLabel {
  int row = -1;
  double left = 0;
};

struct RowLimits {
  double left = 0;   // no label reaches left of this
  double right = 0;  // nor right of this
  double gap = 0;    // between two labels of a row
  // How far a label may stand right of its place centred on its anchor.
  double most_shift = 0;
  int most_rows = 1;
};

// Packs labels, taken in order of their anchors, into rows.  A label's place
// is centred over its anchor, moved inside the limits.  It goes into the
// first row where it can stand in its place; failing that into a new row
// while there are fewer than `most_rows`; failing that into the row where
// the labels before it push it least to the right, by `most_shift` at most;
// and else nowhere.
std::vector<PackedLabel> pack_label_rows(const std::vector<AnchoredLabel>& labels,
                                         const RowLimits& limits);

// Rows the packing used: one more than the highest row.
int rows_used(const std::vector<PackedLabel>& packed);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_ROW_PACKER_H_
