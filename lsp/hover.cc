#include "lsp/hover.h"

#include <cstdio>

#include "checks/format_reference.h"
#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "format/kilometre_posts.h"
#include "inspect/cell_meaning.h"
#include "util/text.h"

namespace sb {
namespace {

std::string section_words(Section section) {
  switch (section) {
    case Section::kLineGeneral: return "line text, general section";
    case Section::kLineBody: return "line text, body";
    case Section::kTrain: return "train text";
  }
  return {};
}

// "`gradient` -100 to 155: gradient up to the next change"
std::string slot_line(const Slot& slot) {
  std::string line = "`" + std::string(slot.name) + "`";
  if (!slot.unit.empty()) line += " (" + std::string(slot.unit) + ")";
  const std::string range = slot_range_text(slot);
  if (!range.empty()) line += " " + range;
  return line + ": " + std::string(slot.meaning);
}

std::string keyword_hover(const Entry& entry) {
  std::string text = "**" + std::string(entry.title) + "** (" + section_words(entry.section) +
                     ")\n\nKeyword: " + keyword_test_text(entry) + ".\n\n";
  text += entry.slots.size() == 1 ? "Its value:\n" : "Its values, in order:\n";
  for (const Slot& slot : entry.slots) text += "- " + slot_line(slot) + "\n";
  if (!entry.notes.empty()) text += "\n" + std::string(entry.notes) + "\n";
  return text + "\nFor example: `" + std::string(entry.example) + "`";
}

std::string value_hover(const Entry& entry, size_t slot_index) {
  const Slot& slot = entry.slots[slot_index];
  std::string text = "**" + std::string(slot.name) + "**";
  if (!slot.unit.empty()) text += " (" + std::string(slot.unit) + ")";
  text += ": value " + std::to_string(slot_index + 1) + " of " +
          std::to_string(entry.slots.size()) + " of the " + std::string(entry.title) + "\n\n" +
          std::string(slot.meaning) + ".\n\nRange: " + slot_range_text(slot) +
          "; beyond it: " + slot_beyond_text(slot) + ".";
  return text;
}

std::string route_km(int64_t metres) {
  char text[40];
  std::snprintf(text, sizeof text, "%s%lld.%03lld", metres < 0 ? "-" : "",
                static_cast<long long>((metres < 0 ? -metres : metres) / 1000),
                static_cast<long long>((metres < 0 ? -metres : metres) % 1000));
  return text;
}

// "signal: first left-hand digit 2, ...; speed limit 115 km/h, gradient -3"
std::string cell_contents(const BuildState& compiled, int64_t cell) {
  const TrackCell& c = compiled.cell(static_cast<int32_t>(cell));
  std::string text;
  if (c.kind != kEmptyCell) text = cell_kind_name(c.kind);
  const std::string meanings = meanings_text(cell_meanings(c, cell == kMarkCell));
  if (!meanings.empty()) text += (text.empty() ? "" : ": ") + meanings;
  if (text.empty()) text = "no object";
  text += "; speed limit " + std::to_string(unpack_speed_limit(c.speed_limit)) + " km/h";
  const std::optional<int32_t> gradient = unpack_gradient(c.gradient);
  text += ", gradient " + (gradient ? std::to_string(*gradient) : std::string("none"));
  text += ", adhesion " + std::to_string(c.adhesion);
  if (c.mountain_side != 0) text += ", mountain side " + std::to_string(c.mountain_side);
  return text;
}

std::string position_hover(int64_t position, const BuildState* compiled) {
  std::string text = "\n\nRoute km " + route_km(position);
  if (compiled == nullptr) return text;
  text += ", chainage km " + chainage_at(*compiled, position);
  const int64_t cell = cell_of(static_cast<double>(position));
  text += ", cell " + std::to_string(cell) + " (" + std::to_string(cell_start(cell)) + " m).";
  if (!compiled->cell_exists(cell))
    return text + "\n\nThe compiled line has no cell " + std::to_string(cell) + ".";
  text += "\n\nCompiled cell " + std::to_string(cell) + ": " + cell_contents(*compiled, cell) + ".";
  // Signals and boards stand in the cell after their position's.
  if (compiled->cell_exists(cell + 1) &&
      compiled->cell(static_cast<int32_t>(cell + 1)).kind != kEmptyCell) {
    text +=
        "\n\nCell " + std::to_string(cell + 1) + ": " + cell_contents(*compiled, cell + 1) + ".";
  }
  return text;
}

}  // namespace

std::string chainage_at(const BuildState& compiled, int64_t position) {
  return chainage_text(KilometrePosts::from_records(compiled.general_records).reading_at(position));
}

std::optional<HoverText> hover_at(const SourceView& view, size_t offset,
                                  const BuildState* compiled) {
  const std::optional<size_t> field = view.field_at(offset);
  if (!field) return std::nullopt;
  const std::optional<FieldUse> use = view.use_of(*field);
  if (!use) return std::nullopt;
  const TextEntries& entries = view.entries();
  const Entry& entry = entries.entries[use->entry].grammar();
  if (!use->slot) return HoverText{*field, keyword_hover(entry)};
  std::string text = value_hover(entry, *use->slot);
  const TextField& value = entries.fields[*field];
  if (entry.slots[*use->slot].position && value.number) {
    text += position_hover(value.value, compiled);
  }
  return HoverText{*field, text};
}

}  // namespace sb
