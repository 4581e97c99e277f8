#include "viewer/row_packer.h"

#include <algorithm>
#include <numeric>

namespace sb {

std::vector<PackedLabel> pack_label_rows(const std::vector<AnchoredLabel>& labels,
                                         const RowLimits& limits) {
  std::vector<size_t> order(labels.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return labels[a].anchor < labels[b].anchor; });
  std::vector<PackedLabel> packed(labels.size());
  std::vector<double> row_ends;  // right edge of the last label of each row
  for (const size_t i : order) {
    const AnchoredLabel& label = labels[i];
    if (label.width > limits.right - limits.left) continue;
    const double ideal =
        std::clamp(label.anchor - label.width / 2, limits.left, limits.right - label.width);
    int best = -1;
    double best_left = 0;
    for (size_t row = 0; row < row_ends.size(); ++row) {
      const double left = std::max(ideal, row_ends[row] + limits.gap);
      if (left + label.width > limits.right || left - ideal > limits.most_shift) continue;
      if (best < 0 || left < best_left) {
        best = static_cast<int>(row);
        best_left = left;
      }
    }
    const bool pushed = best < 0 || best_left > ideal;
    if (pushed && static_cast<int>(row_ends.size()) < limits.most_rows) {
      best = static_cast<int>(row_ends.size());
      best_left = ideal;
      row_ends.push_back(0);
    }
    if (best < 0) continue;
    packed[i] = {best, best_left};
    row_ends[static_cast<size_t>(best)] = best_left + label.width;
  }
  return packed;
}

int rows_used(const std::vector<PackedLabel>& packed) {
  int rows = 0;
  for (const PackedLabel& label : packed) rows = std::max(rows, label.row + 1);
  return rows;
}

}  // namespace sb
