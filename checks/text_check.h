#ifndef SCENARIO_BUILDER_CHECKS_TEXT_CHECK_H_
#define SCENARIO_BUILDER_CHECKS_TEXT_CHECK_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "checks/diagnostic.h"
#include "grammar/grammar.h"

namespace sb {

// A cell an entry claims, as the compile would mark it: which entry and
// where it stands, to name what holds a cell another entry is refused.
struct Placement {
  int64_t cell = 0;
  std::string_view title;  // the entry's, from the grammar
  int64_t position = 0;
  std::string_view part;  // which of the entry's cells, or empty
  SourceLocation location;

  // "the slowdown at 3000 m (its start)"
  std::string what() const;
};

// What a text's check learnt: the route length (which the train text's
// check needs), how many entries of each kind the text holds, and the
// cells its entries claim, in file order.
struct LineFacts {
  std::optional<int32_t> route_length;
  // The route length's value did not read as a number (and read 0).
  bool route_length_unread = false;
  std::array<int, kEntryKinds> entries{};
  std::vector<Placement> placements;

  int count(EntryId id) const { return entries[static_cast<size_t>(id)]; }
};

// The last entry before `before` that claimed `cell`, of either text; null
// when none did.
const Placement* holder_of(int64_t cell, SourceLocation before, const LineFacts& line,
                           const LineFacts& train);
using TrainFacts = LineFacts;

// Goes over a source text's fields and entries as the front end reads them
// (read_text_entries, which reads as the compiler does), without compiling
// it, and appends a warning for each author mistake that the compile would
// take silently: unknown or misspelt keywords, values that are not whole
// numbers, entries short of values, comments and texts cut at a comma,
// positions beyond the route, entries out of order, values outside the
// range their grammar slot keeps, a foreign encoding, a text cut short.
// The checks stop where reading failed; the compile reports that.
LineFacts check_line_text(std::string_view text, std::vector<Diagnostic>* diagnostics);
TrainFacts check_train_text(std::string_view text, const LineFacts& line,
                            std::vector<Diagnostic>* diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_TEXT_CHECK_H_
