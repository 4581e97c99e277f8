#include "decompile/mountain_stretches.h"

#include "compiler/line_recorders.h"
#include "format/cell_geometry.h"
#include "model/build_state.h"

namespace sb {
namespace {

constexpr int kMarkerEvery = 4;
// The kind a stretch gets when it begins within this distance of the end of
// the stretch before it.
constexpr int32_t kNearGap = 150;
constexpr uint8_t kNearKind = 3;

struct Run {
  int32_t first = 0;
  int32_t last = 0;
  uint8_t side = 0;
  bool markers = false;
};

// The kind value that gives `side`, with or without markers: above 10 means markers.
int32_t kind_for(uint8_t side, bool markers) {
  if (markers) return side >= 1 ? side + 10 : 256 + 10;
  return side <= 10 ? side : side - 256;
}

class EntryList {
 public:
  explicit EntryList(std::vector<MountainEntry>* entries) : entries_(entries) { entries_->clear(); }

  // A stretch over cells first..last; when it would take kind 3 from the
  // stretch before it and must not, an empty stretch moves the reference.
  void add(int32_t first, int32_t last, uint8_t side, bool markers) {
    const int32_t start = kCellLength * first;
    if (!entries_->empty() && side != kNearKind && start - entries_->back().end <= kNearGap) {
      const int32_t reset = start - 4 * kCellLength;
      entries_->push_back({reset, reset, 0});
    }
    entries_->push_back({start, kCellLength * (last + 1), kind_for(side, markers)});
  }

 private:
  std::vector<MountainEntry>* entries_;
};

std::vector<Run> side_runs(const std::vector<uint8_t>& sides, const std::vector<bool>* covered) {
  std::vector<Run> runs;
  const auto count = static_cast<int32_t>(sides.size());
  for (int32_t c = 0; c < count;) {
    const bool in =
        covered ? (*covered)[static_cast<size_t>(c)] : sides[static_cast<size_t>(c)] != 0;
    if (!in) {
      ++c;
      continue;
    }
    int32_t end = c;
    while (end + 1 < count &&
           sides[static_cast<size_t>(end) + 1] == sides[static_cast<size_t>(c)] &&
           (covered ? (*covered)[static_cast<size_t>(end) + 1] : true)) {
      ++end;
    }
    runs.push_back({c, end, sides[static_cast<size_t>(c)], false});
    c = end + 1;
  }
  return runs;
}

// One stretch per run, its markers from its own first cell; false when the
// markers of a run do not follow that pattern or stand outside every run.
bool one_entry_per_run(const std::vector<uint8_t>& sides, const std::vector<MarkerNeed>& needs,
                       std::vector<MountainEntry>* entries) {
  std::vector<Run> runs = side_runs(sides, nullptr);
  std::vector<bool> explained(sides.size(), false);
  for (Run& run : runs) {
    for (int32_t c = run.first; c <= run.last; ++c) {
      if (needs[static_cast<size_t>(c)] == MarkerNeed::kMarker) run.markers = true;
    }
    for (int32_t c = run.first; c <= run.last; ++c) {
      const bool on_pattern = (c - run.first + 1) % kMarkerEvery == 0;
      const MarkerNeed need = needs[static_cast<size_t>(c)];
      if (run.markers && on_pattern && need == MarkerNeed::kNone) return false;
      if (need == MarkerNeed::kMarker) {
        if (!on_pattern) return false;
        explained[static_cast<size_t>(c)] = true;
      }
    }
  }
  for (size_t c = 0; c < needs.size(); ++c) {
    if (needs[c] == MarkerNeed::kMarker && !explained[c]) return false;
  }
  EntryList list(entries);
  for (const Run& run : runs) list.add(run.first, run.last, run.side, run.markers);
  return true;
}

// Markers first, each run of them on one phase from one stretch; then the
// sides over every cell those stretches touched and every non-zero side.
bool markers_then_sides(const std::vector<uint8_t>& sides, const std::vector<MarkerNeed>& needs,
                        std::vector<MountainEntry>* entries, std::string* error) {
  const auto count = static_cast<int32_t>(sides.size());
  std::vector<bool> marked(sides.size(), false);
  std::vector<bool> covered(sides.size(), false);
  std::vector<MountainEntry> marker_entries;
  for (int32_t c = 0; c < count; ++c) {
    if (needs[static_cast<size_t>(c)] != MarkerNeed::kMarker || marked[static_cast<size_t>(c)])
      continue;
    if (c < kMarkerEvery - 1) {
      *error =
          "cell " + std::to_string(c) + " holds a mountain marker, which no stretch places there";
      return false;
    }
    int32_t last = c;
    for (int32_t p = c; p < count && needs[static_cast<size_t>(p)] != MarkerNeed::kNone;
         p += kMarkerEvery) {
      if (needs[static_cast<size_t>(p)] == MarkerNeed::kMarker) {
        last = p;
        marked[static_cast<size_t>(p)] = true;
      }
    }
    const int32_t first = c - (kMarkerEvery - 1);
    for (int32_t p = first; p <= last; ++p) covered[static_cast<size_t>(p)] = true;
    marker_entries.push_back({kCellLength * first, kCellLength * (last + 1), kind_for(0, true)});
  }
  for (size_t c = 0; c < sides.size(); ++c) covered[c] = covered[c] || sides[c] != 0;
  EntryList list(entries);
  *entries = marker_entries;
  for (const Run& run : side_runs(sides, &covered)) list.add(run.first, run.last, run.side, false);
  return true;
}

// Whether the entries, compiled, give exactly these sides and markers.
bool reproduce(const std::vector<uint8_t>& sides, const std::vector<MarkerNeed>& needs,
               const std::vector<MountainEntry>& entries) {
  if (entries.size() > static_cast<size_t>(kMaxMountainStretches)) return false;
  BuildState state;
  state.track_cells.resize(sides.size());
  for (size_t c = 0; c < sides.size(); ++c) {
    state.track_cells[c].kind = needs[c] == MarkerNeed::kAny ? kSignalCell : kEmptyCell;
  }
  for (MountainEntry entry : entries) {
    if (Finding refusal; !memo_montagna(state, entry.start, entry.end, entry.kind, &refusal)) {
      return false;
    }
  }
  for (size_t c = 0; c < sides.size(); ++c) {
    const TrackCell& cell = state.track_cells[c];
    if (cell.mountain_side != sides[c]) return false;
    if (needs[c] != MarkerNeed::kAny &&
        (cell.kind == kMountainMarkerCell) != (needs[c] == MarkerNeed::kMarker)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool mountain_entries(const std::vector<uint8_t>& sides, const std::vector<MarkerNeed>& needs,
                      std::vector<MountainEntry>* entries, std::string* error) {
  if (one_entry_per_run(sides, needs, entries) && reproduce(sides, needs, *entries)) return true;
  if (!markers_then_sides(sides, needs, entries, error)) return false;
  if (entries->size() > static_cast<size_t>(kMaxMountainStretches)) {
    *error = "the mountain sides and markers need " + std::to_string(entries->size()) +
             " stretches, more than the 80 a line may hold";
    return false;
  }
  if (!reproduce(sides, needs, *entries)) {
    *error = "no mountain stretches give the mountain sides and markers of the cells";
    return false;
  }
  return true;
}

}  // namespace sb
