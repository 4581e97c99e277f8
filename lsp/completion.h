#ifndef SCENARIO_BUILDER_LSP_COMPLETION_H_
#define SCENARIO_BUILDER_LSP_COMPLETION_H_

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "grammar/grammar.h"
#include "lsp/source_view.h"

namespace sb {

// The keywords that may start an entry at the cursor, and the bytes a
// chosen one replaces.
struct KeywordCompletion {
  std::vector<const Entry*> entries;  // in the grammar's order
  size_t from = 0;
  size_t to = 0;
};

// Where a keyword field may stand at `offset` (at a line's start, in
// blanks between entries, or inside a field that is not a value): the
// entries of the section the cursor is in (the line text's general
// section or body, or the train text).  Nothing inside an entry's values,
// before the field that opens the entries, or in a text that is neither.
std::optional<KeywordCompletion> keywords_at(const SourceView& view, size_t offset);

// "pendenza, ${1:position}, ${2:gradient}": the keyword and a placeholder
// for each value.
std::string entry_snippet(const Entry& entry);

// The entry whose values the cursor stands among, and the value at it.
struct ValueAtCursor {
  const Entry* entry = nullptr;
  size_t slot = 0;
};
std::optional<ValueAtCursor> value_at(const SourceView& view, size_t offset);

// "pendenza, position, gradient", and where each value's name stands in it.
struct Signature {
  std::string label;
  std::vector<std::pair<size_t, size_t>> values;
};
Signature entry_signature(const Entry& entry);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_COMPLETION_H_
