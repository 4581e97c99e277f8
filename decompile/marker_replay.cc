#include "decompile/marker_replay.h"

#include <algorithm>

#include "format/code_point_walk.h"

namespace sb {
namespace {

// Cells visited by all replays together before the search gives up.
constexpr size_t kMostReplayedCells = size_t{5} * 1000 * 1000;

enum class Choice : uint8_t { kUndecided, kPass, kBefore };

// The compiled cells as the walk sees them in one replay: code points of
// value 180 are undecided until the walk first asks whether one is free, and
// the choices persist across replays.  The replay is contradicted where the
// walk would fill a cell that holds no such code point or lower one above
// 180; from then on it decides nothing more, no cell is free, and the walk
// stops before its next cell.
class ReplayCells {
 public:
  ReplayCells(const std::vector<TrackCell>& cells, std::vector<Choice>& choices,
              std::vector<int32_t>& decided)
      : cells_(cells),
        last_(static_cast<int32_t>(cells.size()) - 1),
        choices_(choices),
        decided_(decided),
        placed_(cells.size(), false) {}

  int32_t last() const { return last_; }

  uint8_t kind(int32_t index) const {
    const auto i = static_cast<size_t>(index);
    if (placed_[i]) return kCodePointCell;
    if (candidate(index) && choices_[i] == Choice::kPass) return kEmptyCell;
    return cells_[i].kind;
  }

  int16_t value_1(int32_t index) const { return cells_[static_cast<size_t>(index)].value_1; }

  bool is_free(int32_t index) {
    const auto i = static_cast<size_t>(index);
    if (contradicted_ || placed_[i]) return false;
    if (candidate(index)) {
      if (choices_[i] == Choice::kUndecided) {
        choices_[i] = Choice::kPass;
        decided_.push_back(index);
      }
      return choices_[i] == Choice::kPass;
    }
    return is_free_kind(cells_[i].kind);
  }

  void place(int32_t index) {
    if (!candidate(index)) {
      contradicted_ = true;
      return;
    }
    placed_[static_cast<size_t>(index)] = true;
  }

  void lower(int32_t index) {
    const TrackCell& cell = cells_[static_cast<size_t>(index)];
    if (!placed_[static_cast<size_t>(index)] && cell.value_1 > kPassCodeValue) {
      contradicted_ = true;
    }
  }

  // A failed placement leaves the cells as they are; the compile warned.
  void fail(char /*rule*/, int32_t /*cell*/) {}

  bool stopped() const { return contradicted_; }

  bool placed(size_t index) const { return placed_[index]; }

 private:
  bool candidate(int32_t index) const {
    const TrackCell& cell = cells_[static_cast<size_t>(index)];
    return cell.kind == kCodePointCell && cell.value_1 == kPassCodeValue;
  }

  const std::vector<TrackCell>& cells_;
  const int32_t last_;
  std::vector<Choice>& choices_;
  std::vector<int32_t>& decided_;
  std::vector<bool> placed_;
  bool contradicted_ = false;
};

// Undoes the latest choice of the pass's own code point and every choice
// after it; false when no choice is left to undo.
bool undo_latest_choice(std::vector<Choice>& choices, std::vector<int32_t>& decided) {
  while (!decided.empty() && choices[static_cast<size_t>(decided.back())] == Choice::kBefore) {
    choices[static_cast<size_t>(decided.back())] = Choice::kUndecided;
    decided.pop_back();
  }
  if (decided.empty()) return false;
  choices[static_cast<size_t>(decided.back())] = Choice::kBefore;
  return true;
}

}  // namespace

bool code_points_of_the_pass(const std::vector<TrackCell>& cells, std::vector<int32_t>* placed,
                             std::string* error, ReplayFailure* failure) {
  std::vector<Choice> choices(cells.size(), Choice::kUndecided);
  std::vector<int32_t> decided;  // cells chosen so far, in the order of the choices
  const size_t most_replays =
      std::max<size_t>(100, kMostReplayedCells / std::max<size_t>(cells.size(), 1));
  for (size_t replay = 0; replay < most_replays; ++replay) {
    ReplayCells pass(cells, choices, decided);
    walk_code_point_rules(pass);
    if (pass.stopped()) {  // only a contradiction stops a replay
      if (undo_latest_choice(choices, decided)) continue;
      *error = "no run of the code-point pass leaves the code points the cells hold";
      *failure = ReplayFailure::kNoRun;
      return false;
    }
    placed->clear();
    for (size_t c = 0; c < cells.size(); ++c) {
      if (pass.placed(c)) placed->push_back(static_cast<int32_t>(c));
    }
    return true;
  }
  *error = "the code points of the pass are not found after " + std::to_string(most_replays) +
           " replays of it";
  *failure = ReplayFailure::kGaveUp;
  return false;
}

}  // namespace sb
