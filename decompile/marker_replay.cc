#include "decompile/marker_replay.h"

#include <algorithm>
#include <initializer_list>

#include "compiler/code_point_rules.h"

namespace sb {
namespace {

// Cells visited by all replays together before the search gives up.
constexpr size_t kMostReplayedCells = size_t{5} * 1000 * 1000;

enum class Choice : uint8_t { kUndecided, kPass, kBefore };

struct Contradiction {};

class Replay {
 public:
  Replay(const std::vector<TrackCell>& cells, std::vector<Choice>& choices,
         std::vector<int32_t>& decided)
      : cells_(cells),
        last_(static_cast<int32_t>(cells.size()) - 1),
        choices_(choices),
        decided_(decided),
        placed_(cells.size(), false) {}

  // Runs the pass; throws Contradiction.
  void run() {
    const int32_t bound = last_ - 2;
    for (int32_t i = 1; i <= bound; ++i) {
      const TrackCell& cell = cells_[static_cast<size_t>(i)];
      if (cell.kind == kSlowdownWarningCell) {
        signals_before_warning(i);
      } else if (cell.kind == kSlowdownStartCell) {
        for (const DistanceRule& rule : kDistanceRules) before_start(i, rule);
        if (cell.value_1 < kFastSlowdownSpeed) through_slowdown(i);
      }
    }
  }

 private:
  bool exists(int64_t index) const { return index >= 0 && index <= last_; }
  bool candidate(int32_t index) const {
    const TrackCell& cell = cells_[static_cast<size_t>(index)];
    return cell.kind == kCodePointCell && cell.value_1 == kPassCodeValue;
  }
  uint8_t kind(int64_t index) const {
    const auto i = static_cast<size_t>(index);
    if (placed_[i]) return kCodePointCell;
    if (candidate(static_cast<int32_t>(index)) && choices_[i] == Choice::kPass) return kEmptyCell;
    return cells_[i].kind;
  }
  bool is_kind(int64_t index, uint8_t k) const { return exists(index) && kind(index) == k; }

  bool is_free_cell(int64_t index) {
    if (!exists(index)) return false;
    const auto i = static_cast<size_t>(index);
    if (placed_[i]) return false;
    if (candidate(static_cast<int32_t>(index))) {
      if (choices_[i] == Choice::kUndecided) {
        choices_[i] = Choice::kPass;
        decided_.push_back(static_cast<int32_t>(index));
      }
      return choices_[i] == Choice::kPass;
    }
    return is_free_kind(cells_[i].kind);
  }

  void place(int32_t index) {
    if (!candidate(index)) throw Contradiction{};
    placed_[static_cast<size_t>(index)] = true;
  }

  void lower(int32_t index) {
    const TrackCell& cell = cells_[static_cast<size_t>(index)];
    if (!placed_[static_cast<size_t>(index)] && cell.value_1 > kPassCodeValue)
      throw Contradiction{};
  }

  bool place_in_first_free(std::initializer_list<int32_t> candidates) {
    for (int32_t index : candidates) {
      if (is_free_cell(index)) {
        place(index);
        return true;
      }
    }
    return false;
  }

  void signals_before_warning(int32_t warning_cell) {
    for (int32_t k = 1; k <= kSignalLookBack; ++k) {
      const int32_t d = warning_cell - k;
      if (d < kFirstSignalCell) return;
      if (!is_kind(d, kSignalCell)) continue;
      if (place_in_first_free({d - 1, d - 2})) continue;
      if (is_kind(d - 1, kCodePointCell)) {
        lower(d - 1);
      } else if (is_kind(d - 2, kCodePointCell)) {
        lower(d - 2);
      }
    }
  }

  void before_start(int32_t start_cell, const DistanceRule& rule) {
    if (start_cell <= rule.runs_after()) return;
    const int32_t nearest = start_cell - rule.nearest_cell;
    place_in_first_free({nearest, nearest - 1, nearest - 2});
  }

  void through_slowdown(int32_t start_cell) {
    int32_t count = 0;
    int32_t k = start_cell;
    do {
      ++k;
      ++count;
      if (count == kSpacingCells) count = spaced(k);
    } while (!is_kind(k, kSlowdownEndCell) && k < last_);
    const int32_t search_end = std::min(k + kSignalSearchCells, last_);
    for (int32_t m = k; m <= search_end; ++m) {
      if (!is_kind(m, kSignalCell)) continue;
      if (m - 1 > 0) place_in_first_free({m - 1, m - 2});
      return;
    }
  }

  int32_t spaced(int32_t k) {
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
    return kSpacingCells;
  }

  const std::vector<TrackCell>& cells_;
  const int32_t last_;
  std::vector<Choice>& choices_;
  std::vector<int32_t>& decided_;

 public:
  std::vector<bool> placed_;
};

}  // namespace

bool code_points_of_the_pass(const std::vector<TrackCell>& cells, std::vector<int32_t>* placed,
                             std::string* error) {
  std::vector<Choice> choices(cells.size(), Choice::kUndecided);
  std::vector<int32_t> decided;  // cells chosen so far, in the order of the choices
  const size_t most_replays =
      std::max<size_t>(100, kMostReplayedCells / std::max<size_t>(cells.size(), 1));
  for (size_t replay = 0; replay < most_replays; ++replay) {
    Replay pass(cells, choices, decided);
    try {
      pass.run();
    } catch (const Contradiction&) {
      // Undo the latest choice of the pass's own code point and everything
      // chosen after it.
      while (!decided.empty() && choices[static_cast<size_t>(decided.back())] == Choice::kBefore) {
        choices[static_cast<size_t>(decided.back())] = Choice::kUndecided;
        decided.pop_back();
      }
      if (decided.empty()) {
        *error = "no run of the code-point pass leaves the code points the cells hold";
        return false;
      }
      choices[static_cast<size_t>(decided.back())] = Choice::kBefore;
      continue;
    }
    placed->clear();
    for (size_t c = 0; c < cells.size(); ++c) {
      if (pass.placed_[c]) placed->push_back(static_cast<int32_t>(c));
    }
    return true;
  }
  *error = "the code points of the pass are not found after " + std::to_string(most_replays) +
           " replays of it";
  return false;
}

}  // namespace sb
