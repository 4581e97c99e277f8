#include "compiler/marker_pass.h"

#include <utility>

#include "compiler/finding_text.h"
#include "format/cell_geometry.h"
#include "format/cells.h"
#include "format/code_point_walk.h"
#include "model/error_codes.h"
#include "util/minimo.h"

namespace sb {
namespace {

// The build's cells as the walk sees them: every placement goes into the
// cells at once, and every failed placement becomes a warning.
class BuildCells {
 public:
  explicit BuildCells(BuildState& state)
      : cells_(state.track_cells), last_(static_cast<int32_t>(cells_.size()) - 1) {}

  int32_t last() const { return last_; }
  uint8_t kind(int32_t index) const { return at(index).kind; }
  int16_t value_1(int32_t index) const { return at(index).value_1; }
  bool is_free(int32_t index) const { return sb::is_free(at(index)); }

  void place(int32_t index) {
    TrackCell& cell = at(index);
    cell.kind = kCodePointCell;
    cell.value_1 = kPassCodeValue;
  }

  void lower(int32_t index) {
    TrackCell& cell = at(index);
    cell.value_1 = static_cast<int16_t>(minimo(kPassCodeValue, cell.value_1));
  }

  void fail(char rule, int32_t cell) { warnings_.push_back({code_of_rule(rule), rule, cell}); }

  // The build walks every cell.
  static bool stopped() { return false; }

  std::vector<MarkerWarning> take_warnings() { return std::move(warnings_); }

 private:
  static ErrorCode code_of_rule(char rule) {
    if (rule == 'A') return kRuleAPlacementFailed;
    if (rule == 'E') return kRuleEPlacementFailed;
    return kRulesBToDPlacementFailed;
  }

  TrackCell& at(int32_t index) { return cells_[static_cast<size_t>(index)]; }
  const TrackCell& at(int32_t index) const { return cells_[static_cast<size_t>(index)]; }

  std::vector<TrackCell>& cells_;
  const int32_t last_;
  std::vector<MarkerWarning> warnings_;
};

}  // namespace

std::string cell_and_metres(int32_t cell) {
  return "cell " + std::to_string(cell) + " at " + metres(cell_start(cell));
}

std::vector<MarkerWarning> place_code_points(BuildState& state) {
  BuildCells cells(state);
  walk_code_point_rules(cells);
  return cells.take_warnings();
}

std::string distance_span(const DistanceRule& rule) {
  return std::to_string(rule.nearest_metres()) + " to " + metres(rule.farthest_metres());
}

std::string describe(const MarkerWarning& warning) {
  const std::string head = std::string("rule ") + warning.rule + ": no free cell for a code point ";
  const std::string where = cell_and_metres(warning.cell);
  if (warning.rule == 'A') return head + "ahead of the signal in " + where;
  if (const DistanceRule* rule = distance_rule(warning.rule)) {
    return head + distance_span(*rule) + " before the slowdown start in " + where;
  }
  if (warning.rule == 'E') {
    return head + "near " + where +
           ", inside a slow slowdown or ahead of the first signal after it";
  }
  return head + "near " + where;
}

}  // namespace sb
