#ifndef SCENARIO_BUILDER_CHECKS_TEXT_CHECK_H_
#define SCENARIO_BUILDER_CHECKS_TEXT_CHECK_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "checks/diagnostic.h"
#include "grammar/grammar.h"

namespace sb {

// What a text's check learnt: the route length (which the train text's
// check needs) and how many entries of each kind the text holds.
struct LineFacts {
  std::optional<int32_t> route_length;
  std::array<int, kEntryKinds> entries{};

  int count(EntryId id) const { return entries[static_cast<size_t>(id)]; }
};
using TrainFacts = LineFacts;

// Walks a source text field by field as the compiler does, without
// compiling it, and appends a warning for each author mistake that the
// compile would take silently: unknown or misspelt keywords, values that are
// not whole numbers, entries short of values, comments and texts cut at a
// comma, positions beyond the route, entries out of order, values outside
// the range their slot keeps, a foreign encoding, a text cut short.  Reading
// stops where the compile's reading would fail; the compile reports that.
LineFacts check_line_text(std::string_view text, std::vector<Diagnostic>* diagnostics);
TrainFacts check_train_text(std::string_view text, const LineFacts& line,
                            std::vector<Diagnostic>* diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_TEXT_CHECK_H_
