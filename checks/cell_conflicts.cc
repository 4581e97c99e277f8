#include "checks/cell_conflicts.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <unordered_map>

#include "compiler/finding_text.h"
#include "format/cell_geometry.h"
#include "format/object_cells.h"
#include "model/error_codes.h"

namespace sb {
namespace {

// One cell an entry needs, the error it gets when the cell is held, and
// which of the entry's cells it is ("its warning ", or empty).
struct NeededCell {
  int64_t cell;
  ErrorCode code;
  std::string_view part;
};

// The nearest signal position whose approach marks stay on the line.
constexpr int64_t kFirstSignalPosition = 325;
// How far either way a free place is looked for.
constexpr int64_t kSearchMetres = 10000;

bool refuses_held_cell(const Diagnostic& diagnostic) {
  const std::optional<ErrorCode> code = diagnostic.code.error();
  if (diagnostic.severity != Diagnostic::Severity::kError || !code) return false;
  switch (*code) {
    case kIndicationBoardTaken:
    case kCodePointTaken:
    case kSignalTaken:
    case kSlowdownWarningTaken:
    case kSlowdownStartTaken:
    case kSlowdownEndTaken:
    case kSlowdownLeadInTaken:
    case kSpeedBoardTaken: return true;
    default: return false;
  }
}

// The value of slot `slot` of `entry` as read (0 when it was not read).
int64_t value_of(const TextEntries& text, const TextEntry& entry, size_t slot) {
  const auto values = text.values(entry);
  return slot < values.size() ? values[slot].value : 0;
}

// The cells the compile marks for an entry at `position`, in the order it
// tests them.
std::vector<NeededCell> cells_needed(const TextEntries& text, const TextEntry& entry,
                                     int64_t position) {
  const auto p = static_cast<double>(position);
  switch (entry.id) {
    case EntryId::kSpeedBoard: return {{object_cell(p), kSpeedBoardTaken, ""}};
    case EntryId::kIndicationBoard: return {{object_cell(p), kIndicationBoardTaken, ""}};
    case EntryId::kSignal: return {{object_cell(p), kSignalTaken, ""}};
    case EntryId::kCodePoint: return {{cell_of(p), kCodePointTaken, ""}};
    case EntryId::kSlowdown: {
      const SlowdownCells cells = slowdown_cells(p, static_cast<double>(value_of(text, entry, 2)),
                                                 value_of(text, entry, 4) != 0);
      std::vector<NeededCell> needed;
      if (cells.warning >= 0)
        needed.push_back({cells.warning, kSlowdownWarningTaken, "its warning "});
      needed.push_back({cells.start, kSlowdownStartTaken, "its start "});
      needed.push_back({cells.end, kSlowdownEndTaken, "its end "});
      if (cells.warning >= 0 && cells.lead_in >= 0) {
        for (int i = 0; i < kWarningLeadInCells; ++i) {
          needed.push_back({cells.lead_in - i, kSlowdownLeadInTaken, "a warning lead-in "});
        }
      }
      return needed;
    }
    default: return {};
  }
}

const TextEntry* entry_at(const TextEntries& text, SourceLocation at) {
  for (const TextEntry& entry : text.entries) {
    if (text.location(text.keyword(entry)) == at) return &entry;
  }
  return nullptr;
}

class ConflictFinder {
 public:
  ConflictFinder(const LineFacts& line, const TrainFacts& train) : line_(line), train_(train) {
    for (const LineFacts* facts : {&line_, &train_}) {
      for (const Placement& placement : facts->placements) {
        holders_[placement.cell].push_back(placement.location);
      }
    }
  }

  // The errors of every held cell `entry` needs, the first carrying the
  // places where it would fit.
  std::vector<Diagnostic> conflicts(const TextEntries& text, const TextEntry& entry,
                                    SourceLocation at) const {
    const int64_t position = value_of(text, entry, 0);
    const std::string title(entry.grammar().title);
    std::vector<Diagnostic> found;
    for (const NeededCell& needed : cells_needed(text, entry, position)) {
      const Placement* holder = holder_of(needed.cell, at, line_, train_);
      if (holder == nullptr) continue;
      Diagnostic diagnostic;
      diagnostic.severity = Diagnostic::Severity::kError;
      diagnostic.location = at;
      diagnostic.code = needed.code;
      diagnostic.message = "the " + title + " at " + metres(position) + " needs " +
                           std::string(needed.part) + "cell " + std::to_string(needed.cell) +
                           " at " + metres(cell_start(needed.cell)) + ", which already holds " +
                           holder->what();
      diagnostic.related = holder->location;
      found.push_back(std::move(diagnostic));
    }
    return found;
  }

  // "; moving it to 4150 m or 3700 m frees every cell it needs", the nearer
  // first (the later of two as near); empty when neither way has such a
  // place.
  std::string free_places(const TextEntries& text, const TextEntry& entry) const {
    const int64_t position = value_of(text, entry, 0);
    const SourceLocation at = text.location(text.keyword(entry));
    const std::optional<int64_t> later = nearest_free(text, entry, at, position, kCellLength);
    const std::optional<int64_t> earlier = nearest_free(text, entry, at, position, -kCellLength);
    std::vector<int64_t> places;
    if (later) places.push_back(*later);
    if (earlier) places.push_back(*earlier);
    if (places.empty()) return {};
    std::stable_sort(places.begin(), places.end(), [&](int64_t a, int64_t b) {
      return std::abs(a - position) < std::abs(b - position);
    });
    std::string hint = "; moving it to " + metres(places[0]);
    if (places.size() > 1) hint += " or " + metres(places[1]);
    return hint + " frees every cell it needs";
  }

 private:
  // Held by an entry other than the one at `at` (a slowdown refused at a
  // lead-in cell has claimed its other cells already).
  bool held(int64_t cell, SourceLocation at) const {
    const auto found = holders_.find(cell);
    if (found == holders_.end()) return false;
    return std::any_of(found->second.begin(), found->second.end(),
                       [&](SourceLocation holder) { return holder != at; });
  }

  // The position nearest `position` in steps of `step` where the entry
  // stays on the route and finds every cell it needs free.
  std::optional<int64_t> nearest_free(const TextEntries& text, const TextEntry& entry,
                                      SourceLocation at, int64_t position, int64_t step) const {
    const int64_t lowest = entry.id == EntryId::kSignal ? kFirstSignalPosition : 0;
    const int64_t highest = line_.route_length.value_or(0) - entry.grammar().reach;
    for (int64_t place = position + step; std::abs(place - position) <= kSearchMetres;
         place += step) {
      if (place < lowest || place > highest) return std::nullopt;
      const std::vector<NeededCell> needed = cells_needed(text, entry, place);
      if (std::none_of(needed.begin(), needed.end(),
                       [&](const NeededCell& cell) { return held(cell.cell, at); })) {
        return place;
      }
    }
    return std::nullopt;
  }

  const LineFacts& line_;
  const TrainFacts& train_;
  // The entries of either text that hold each cell.
  std::unordered_map<int64_t, std::vector<SourceLocation>> holders_;
};

}  // namespace

void complete_cell_conflicts(const TextEntries& line, const TextEntries& train,
                             const LineFacts& line_facts, const TrainFacts& train_facts,
                             std::vector<Diagnostic>* diagnostics) {
  const ConflictFinder finder(line_facts, train_facts);
  std::vector<Diagnostic> completed;
  completed.reserve(diagnostics->size());
  for (Diagnostic& diagnostic : *diagnostics) {
    const TextEntries& text =
        diagnostic.location.text == SourceLocation::Text::kTrain ? train : line;
    const TextEntry* entry =
        refuses_held_cell(diagnostic) ? entry_at(text, diagnostic.location) : nullptr;
    std::vector<Diagnostic> found;
    if (entry != nullptr) found = finder.conflicts(text, *entry, diagnostic.location);
    if (found.empty()) {
      completed.push_back(std::move(diagnostic));
      continue;
    }
    found.front().message += finder.free_places(text, *entry);
    for (Diagnostic& conflict : found) completed.push_back(std::move(conflict));
  }
  *diagnostics = std::move(completed);
}

}  // namespace sb
