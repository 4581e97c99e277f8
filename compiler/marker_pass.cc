#include "compiler/marker_pass.h"

#include <algorithm>
#include <initializer_list>

#include "compiler/code_point_rules.h"
#include "compiler/finding_text.h"
#include "format/cell_geometry.h"
#include "format/cells.h"
#include "model/error_codes.h"
#include "util/minimo.h"

namespace sb {
namespace {

class MarkerPass {
 public:
  explicit MarkerPass(BuildState& state)
      : state_(state), last_(static_cast<int32_t>(state.track_cells.size()) - 1) {}

  std::vector<MarkerWarning> run() {
    const int32_t bound = last_ - 2;
    for (int32_t i = 1; i <= bound; ++i) {
      const TrackCell& cell = state_.track_cells[static_cast<size_t>(i)];
      if (cell.kind == kSlowdownWarningCell) {
        mark_signals_before_warning(i);
      } else if (cell.kind == kSlowdownStartCell) {
        const int16_t speed = cell.value_1;
        for (const DistanceRule& rule : kDistanceRules) mark_before_start(i, rule);
        if (speed < kFastSlowdownSpeed) mark_through_slowdown(i);
      }
    }
    return std::move(warnings_);
  }

 private:
  bool exists(int64_t index) const { return index >= 0 && index <= last_; }
  TrackCell& at(int32_t index) { return state_.track_cells[static_cast<size_t>(index)]; }
  bool is_kind(int64_t index, uint8_t kind) const {
    return exists(index) && state_.track_cells[static_cast<size_t>(index)].kind == kind;
  }
  bool is_free_cell(int64_t index) const {
    return exists(index) && is_free(state_.track_cells[static_cast<size_t>(index)]);
  }

  void place(int32_t index) {
    TrackCell& cell = at(index);
    cell.kind = kCodePointCell;
    cell.value_1 = kPassCodeValue;
  }

  void lower(int32_t index) {
    TrackCell& cell = at(index);
    cell.value_1 = static_cast<int16_t>(minimo(kPassCodeValue, cell.value_1));
  }

  // Places a code point in the first free cell of `candidates`; false when
  // all of them are taken.
  bool place_in_first_free(std::initializer_list<int32_t> candidates) {
    for (int32_t index : candidates) {
      if (is_free_cell(index)) {
        place(index);
        return true;
      }
    }
    return false;
  }

  void fail(int32_t code, char rule, int32_t cell) { warnings_.push_back({code, rule, cell}); }

  // Rule A: every signal in the 20 cells before the warning (not below
  // cell 3) gets a code point in one of the two cells just ahead of it, or
  // has a code point standing there lowered to at most 180.
  void mark_signals_before_warning(int32_t warning_cell) {
    for (int32_t k = 1; k <= kSignalLookBack; ++k) {
      const int32_t d = warning_cell - k;
      if (d < kFirstSignalCell) return;
      if (!is_kind(d, kSignalCell)) continue;
      if (place_in_first_free({d - 1, d - 2})) continue;
      if (is_kind(d - 1, kCodePointCell)) {
        lower(d - 1);
      } else if (is_kind(d - 2, kCodePointCell)) {
        lower(d - 2);
      } else {
        fail(kRuleAPlacementFailed, 'A', d);
      }
    }
  }

  // Rules B to D: a code point in the first free cell of three at a fixed
  // distance before the slowdown start.
  void mark_before_start(int32_t start_cell, const DistanceRule& rule) {
    if (start_cell <= rule.runs_after()) return;
    const int32_t nearest = start_cell - rule.nearest_cell;
    if (!place_in_first_free({nearest, nearest - 1, nearest - 2})) {
      fail(kRulesBToDPlacementFailed, rule.rule, start_cell);
    }
  }

  // Rule E: walks from the start to the end of a slow slowdown (or the last
  // cell), placing a code point every 8 cells counted from the last one
  // placed, then marks the first signal after the end.
  void mark_through_slowdown(int32_t start_cell) {
    int32_t count = 0;
    int32_t k = start_cell;
    do {
      ++k;
      ++count;
      if (count == kSpacingCells) count = place_spaced(k);
    } while (!is_kind(k, kSlowdownEndCell) && k < last_);
    mark_signal_after_end(k);
  }

  // The next count of the walk: from 0 at the cell where the code point went,
  // or 8 again (never matched anew) when none of the three cells was free.
  int32_t place_spaced(int32_t k) {
    if (is_free_cell(k)) {
      place(k);
      return 0;
    }
    if (is_free_cell(k - 1)) {
      place(k - 1);
      return 1;
    }
    if (is_free_cell(k + 1)) {
      place(k + 1);
      return -1;
    }
    fail(kRuleEPlacementFailed, 'E', k);
    return kSpacingCells;
  }

  void mark_signal_after_end(int32_t end_cell) {
    const int32_t search_end = std::min(end_cell + kSignalSearchCells, last_);
    for (int32_t m = end_cell; m <= search_end; ++m) {
      if (!is_kind(m, kSignalCell)) continue;
      const int32_t ahead = m - 1;
      if (ahead > 0 && !place_in_first_free({ahead, ahead - 1})) {
        fail(kRuleEPlacementFailed, 'E', end_cell);
      }
      return;
    }
  }

  BuildState& state_;
  const int32_t last_;
  std::vector<MarkerWarning> warnings_;
};

}  // namespace

std::string cell_and_metres(int32_t cell) {
  return "cell " + std::to_string(cell) + " at " + metres(cell_start(cell));
}

std::vector<MarkerWarning> place_code_points(BuildState& state) { return MarkerPass(state).run(); }

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
