#ifndef SCENARIO_BUILDER_LSP_SOURCE_VIEW_H_
#define SCENARIO_BUILDER_LSP_SOURCE_VIEW_H_

#include <cstddef>
#include <optional>
#include <vector>

#include "frontend/text_entries.h"
#include "lsp/document.h"
#include "model/source_location.h"

namespace sb {

// What a field is part of: entry `entry` of the text, as its keyword field
// (slot empty) or as the value of slot `slot`.
struct FieldUse {
  size_t entry = 0;
  std::optional<size_t> slot;
};

// A source text that the server holds, read by the front end as the
// compiler reads it, with the entry each field belongs to.  The document
// must outlive the view.
class SourceView {
 public:
  SourceView(const Document& document, SourceLocation::Text which);

  const Document& document() const { return *document_; }
  SourceLocation::Text which() const { return entries_.which; }
  const TextEntries& entries() const { return entries_; }

  // The field written at `offset`: from its first byte to just past its
  // last (a cursor standing right behind a field is on it).  Nothing in
  // the blanks and delimiters between fields.
  std::optional<size_t> field_at(size_t offset) const;
  // The entry a field is part of; nothing for a field that starts none and
  // is no value.
  std::optional<FieldUse> use_of(size_t field) const;

 private:
  const Document* document_;
  TextEntries entries_;
  std::vector<std::optional<FieldUse>> uses_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_SOURCE_VIEW_H_
