#include "checks/value_places.h"

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace sb {
namespace {

bool names_a_value(const Diagnostic& diagnostic) {
  return diagnostic.code == WarningId::kRange || diagnostic.code == WarningId::kWrapped;
}

// The entries of a text by the line and column of their keyword fields.
using EntriesByPlace = std::map<std::pair<int, int>, const TextEntry*>;

EntriesByPlace entries_by_place(const TextEntries& text) {
  EntriesByPlace entries;
  for (const TextEntry& entry : text.entries) {
    const TextField& keyword = text.keyword(entry);
    entries.emplace(std::make_pair(keyword.line, keyword.column), &entry);
  }
  return entries;
}

// The place of the value the message names ("the TITLE's NAME ..."), the
// longest name that matches; none when the message names no value of the
// entry standing at the diagnostic's place.
std::optional<SourceLocation> value_place(const TextEntries& text, const EntriesByPlace& entries,
                                          const Diagnostic& diagnostic) {
  const auto found =
      entries.find(std::make_pair(diagnostic.location.line, diagnostic.location.column));
  if (found == entries.end()) return std::nullopt;
  const TextEntry& entry = *found->second;
  const Entry& grammar = entry.grammar();
  const auto values = text.values(entry);
  std::optional<SourceLocation> place;
  size_t longest = 0;
  for (size_t i = 0; i < grammar.slots.size() && i < values.size(); ++i) {
    const std::string named =
        "the " + std::string(grammar.title) + "'s " + std::string(grammar.slots[i].name) + " ";
    if (diagnostic.message.starts_with(named) && named.size() > longest) {
      longest = named.size();
      place = text.location(values[i]);
    }
  }
  return place;
}

}  // namespace

void point_at_values(const TextEntries& line, const TextEntries& train,
                     std::vector<Diagnostic>* diagnostics) {
  std::optional<EntriesByPlace> by_place[2];
  for (Diagnostic& diagnostic : *diagnostics) {
    if (!names_a_value(diagnostic)) continue;
    const bool in_train = diagnostic.location.text == SourceLocation::Text::kTrain;
    const TextEntries& text = in_train ? train : line;
    std::optional<EntriesByPlace>& entries = by_place[in_train ? 1 : 0];
    if (!entries) entries = entries_by_place(text);
    if (const std::optional<SourceLocation> place = value_place(text, *entries, diagnostic)) {
      diagnostic.location = *place;
    }
  }
}

}  // namespace sb
