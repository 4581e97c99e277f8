#include "lsp/source_view.h"

#include <algorithm>

namespace sb {

SourceView::SourceView(const Document& document, SourceLocation::Text which)
    : document_(&document),
      entries_(read_text_entries(document.bytes(), which)),
      uses_(entries_.fields.size()) {
  for (size_t e = 0; e < entries_.entries.size(); ++e) {
    const TextEntry& entry = entries_.entries[e];
    // Of two entries that share a keyword field, the first names it.
    if (!uses_[entry.keyword]) uses_[entry.keyword] = FieldUse{e, std::nullopt};
    for (size_t v = 0; v < entry.values; ++v) uses_[entry.first_value + v] = FieldUse{e, v};
  }
}

std::optional<size_t> SourceView::field_at(size_t offset) const {
  const std::vector<TextField>& fields = entries_.fields;
  // The first field that ends (delimiter included) after `offset`, or the
  // one before it when the cursor stands right behind that one.
  const auto after = std::upper_bound(fields.begin(), fields.end(), offset,
                                      [](size_t at, const TextField& f) { return at < f.end; });
  for (auto it : {after, after == fields.begin() ? fields.end() : after - 1}) {
    if (it == fields.end()) continue;
    if (offset >= it->start && offset <= it->stop && it->stop > it->start) {
      return static_cast<size_t>(it - fields.begin());
    }
  }
  return std::nullopt;
}

std::optional<FieldUse> SourceView::use_of(size_t field) const {
  return field < uses_.size() ? uses_[field] : std::nullopt;
}

}  // namespace sb
