#include "lsp/completion.h"

#include "frontend/text_rules.h"

namespace sb {
namespace {

// The section whose keywords stand at `offset`; nothing before the entries
// open.
std::optional<Section> section_at(const TextEntries& entries, size_t offset) {
  const std::vector<TextField>& fields = entries.fields;
  size_t f = 0;
  while (f < fields.size() && fields[f].role != FieldRole::kOpening) ++f;
  if (f == fields.size() || offset < fields[f].end) return std::nullopt;
  if (entries.which == SourceLocation::Text::kTrain) return Section::kTrain;
  for (++f; f < fields.size(); ++f) {
    const TextField& field = fields[f];
    if (field.role != FieldRole::kStray || !closes_general_section(entries.token(field))) continue;
    return offset < field.end ? Section::kLineGeneral : Section::kLineBody;
  }
  return Section::kLineGeneral;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::optional<KeywordCompletion> keywords_at(const SourceView& view, size_t offset) {
  const TextEntries& entries = view.entries();
  if (entries.which == SourceLocation::Text::kNone || offset > entries.text.size()) {
    return std::nullopt;
  }
  const std::optional<Section> section = section_at(entries, offset);
  if (!section) return std::nullopt;
  KeywordCompletion completion{{}, offset, offset};
  if (const TextField* field = field_at(entries, offset)) {
    if (field->role == FieldRole::kValue) return std::nullopt;
    if (offset >= field->start && offset <= field->stop) {
      completion.from = field->start;
      completion.to = field->stop;
    }
  } else if (!entries.fields.empty() && entries.fields.back().role == FieldRole::kValue &&
             entries.failed_entry) {
    return std::nullopt;  // the text ends inside an entry's values
  }
  // In blanks, only at a line's start: elsewhere on a line the next field
  // follows a comma.
  if (completion.from == offset) {
    size_t start = offset;
    while (start > 0 && is_blank(entries.text[start - 1])) --start;
    if (start > 0 && entries.text[start - 1] != '\n' && entries.text[start - 1] != '\r' &&
        entries.text[start - 1] != ',') {
      return std::nullopt;
    }
  }
  for (const Entry& entry : grammar_entries()) {
    if (entry.section == *section) completion.entries.push_back(&entry);
  }
  return completion;
}

std::string entry_snippet(const Entry& entry) {
  std::string snippet(entry.keyword);
  for (size_t i = 0; i < entry.slots.size(); ++i) {
    snippet += ", ${" + std::to_string(i + 1) + ":" + std::string(entry.slots[i].name) + "}";
  }
  return snippet;
}

std::optional<ValueAtCursor> value_at(const SourceView& view, size_t offset) {
  const TextEntries& entries = view.entries();
  const TextField* field = field_at(entries, offset);
  if (field == nullptr) return std::nullopt;
  const size_t index = static_cast<size_t>(field - entries.fields.data());
  const std::optional<FieldUse> use = view.use_of(index);
  if (!use) return std::nullopt;
  const Entry& entry = entries.entries[use->entry].grammar();
  if (use->slot) return ValueAtCursor{&entry, *use->slot};
  // Behind the keyword, the first value is the one to come.
  if (offset < field->stop) return std::nullopt;
  return ValueAtCursor{&entry, 0};
}

Signature entry_signature(const Entry& entry) {
  Signature signature{std::string(entry.keyword), {}};
  for (const Slot& slot : entry.slots) {
    signature.label += ", ";
    const size_t start = signature.label.size();
    signature.label += slot.name;
    signature.values.emplace_back(start, signature.label.size());
  }
  return signature;
}

}  // namespace sb
