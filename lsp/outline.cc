#include "lsp/outline.h"

#include "frontend/text_rules.h"
#include "util/text.h"

namespace sb {
namespace {

// The opening field, and the headers after it (the last field, never
// examined, among them).
bool is_section_header(const TextEntries& entries, const TextField& field) {
  return field.role == FieldRole::kOpening ||
         ((field.role == FieldRole::kStray || field.role == FieldRole::kLast) &&
          is_header(entries.token(field)));
}

std::optional<OutlineItem::Kind> named_kind(EntryId id) {
  switch (id) {
    case EntryId::kStation: return OutlineItem::Kind::kStation;
    case EntryId::kSignal: return OutlineItem::Kind::kSignal;
    case EntryId::kSpeedBoard:
    case EntryId::kIndicationBoard: return OutlineItem::Kind::kBoard;
    case EntryId::kSlowdown: return OutlineItem::Kind::kSlowdown;
    default: return std::nullopt;
  }
}

// The entry under its name: a station by its name as written, the others
// by their position.
std::optional<OutlineItem> entry_item(const TextEntries& entries, const TextEntry& entry) {
  const std::optional<OutlineItem::Kind> kind = named_kind(entry.id);
  if (!kind || entry.values == 0) return std::nullopt;
  const TextField& keyword = entries.keyword(entry);
  const std::span<const TextField> values = entries.values(entry);
  OutlineItem item;
  item.kind = *kind;
  item.from = keyword.start;
  item.to = values.back().stop;
  item.name_from = keyword.start;
  item.name_to = keyword.stop;
  if (*kind == OutlineItem::Kind::kStation) {
    if (!entry.complete()) return std::nullopt;
    const TextField& name = values.back();
    item.name = cp1252_to_utf8(entries.token(name));
    item.name_from = name.start;
    item.name_to = name.stop;
  } else {
    item.name =
        std::string(entry.grammar().title) + " at " + std::to_string(values.front().value) + " m";
  }
  if (item.name.empty()) item.name = std::string(entry.grammar().title);
  return item;
}

}  // namespace

std::vector<OutlineItem> text_outline(const SourceView& view) {
  const TextEntries& entries = view.entries();
  std::vector<OutlineItem> sections;
  size_t last_stop = 0;
  for (const TextField& field : entries.fields) {
    if (field.role == FieldRole::kUnread) break;
    if (is_section_header(entries, field)) {
      if (!sections.empty()) sections.back().to = last_stop;
      OutlineItem section;
      section.name = cp1252_to_utf8(entries.token(field));
      section.from = section.name_from = field.start;
      section.to = section.name_to = field.stop;
      sections.push_back(std::move(section));
    }
    if (field.stop > field.start) last_stop = field.stop;
  }
  if (!sections.empty()) sections.back().to = std::max(sections.back().to, last_stop);
  size_t s = 0;
  for (const TextEntry& entry : entries.entries) {
    const size_t at = entries.keyword(entry).start;
    while (s + 1 < sections.size() && sections[s + 1].from <= at) ++s;
    if (s >= sections.size() || at < sections[s].from) continue;
    if (std::optional<OutlineItem> item = entry_item(entries, entry)) {
      sections[s].children.push_back(std::move(*item));
    }
  }
  return sections;
}

std::vector<PositionValue> position_values(const SourceView& view) {
  const TextEntries& entries = view.entries();
  std::vector<PositionValue> positions;
  for (const TextEntry& entry : entries.entries) {
    const std::span<const TextField> values = entries.values(entry);
    for (size_t i = 0; i < values.size(); ++i) {
      if (!entry.grammar().slots[i].position || !values[i].number) continue;
      if (values[i].stop <= values[i].start) continue;  // an empty value
      positions.push_back({values[i].stop, values[i].value});
    }
  }
  return positions;
}

}  // namespace sb
