#include "inspect/cell_dump.h"

#include <array>
#include <optional>
#include <string_view>

#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "inspect/cell_meaning.h"
#include "model/build_state.h"

namespace sb {
namespace {

// A property of the line under a cell, stored as one byte.
struct Attribute {
  const char* name;
  const char* json_name;
  uint8_t TrackCell::*field;
};

constexpr std::array<Attribute, 4> kAttributes = {{
    {"gradient", "gradient", &TrackCell::gradient},
    {"speed limit", "speed_limit", &TrackCell::speed_limit},
    {"adhesion", "adhesion", &TrackCell::adhesion},
    {"mountain side", "mountain_side", &TrackCell::mountain_side},
}};

// The value a byte stands for: the gradient is stored plus 100 (a 0 byte is
// a cell that never got one), the speed limit divided by 5.
std::optional<int64_t> attribute_value(const Attribute& attribute, uint8_t byte) {
  if (attribute.field == &TrackCell::gradient) return unpack_gradient(byte);
  if (attribute.field == &TrackCell::speed_limit) return unpack_speed_limit(byte);
  return byte;
}

std::string attribute_text(const Attribute& attribute, uint8_t byte) {
  const std::optional<int64_t> value = attribute_value(attribute, byte);
  std::string text = std::string(attribute.name) + " ";
  if (!value) return text + "none (byte 0)";
  text += std::to_string(*value);
  if (attribute.field == &TrackCell::speed_limit) text += " km/h";
  return text;
}

struct Run {
  size_t first;
  size_t last;
  uint8_t byte;
};

std::vector<Run> runs_of(const std::vector<TrackCell>& cells, IndexSpan span,
                         const Attribute& attribute) {
  std::vector<Run> runs;
  for (size_t i = span.first; i < span.end; ++i) {
    const uint8_t byte = cells[i].*attribute.field;
    if (runs.empty() || runs.back().byte != byte) {
      runs.push_back({i, i, byte});
    } else {
      runs.back().last = i;
    }
  }
  return runs;
}

std::string cells_label(size_t first, size_t last) {
  if (first == last) return "cell " + std::to_string(first);
  return "cells " + std::to_string(first) + "-" + std::to_string(last);
}

bool is_known_kind(uint8_t kind) {
  return std::string_view(cell_kind_name(kind)) != "unknown kind";
}

std::string kind_label(uint8_t kind) {
  return is_known_kind(kind) ? cell_kind_name(kind) : "kind " + std::to_string(kind);
}

bool is_listed(const TrackCell& cell, const std::vector<Meaning>& meanings) {
  return cell.kind != kEmptyCell || !meanings.empty();
}

std::string cell_line(size_t index, const TrackCell& cell, const std::vector<Meaning>& meanings) {
  std::string line = "cell " + std::to_string(index) + " at " +
                     std::to_string(cell_start(static_cast<int64_t>(index))) + " m: ";
  if (cell.kind != kEmptyCell) {
    line += kind_label(cell.kind);
    if (!meanings.empty()) line += ": ";
  }
  return line + meanings_text(meanings);
}

void print_marks(const std::vector<TrackCell>& cells, std::ostream& out) {
  if (cells.size() <= kMarkCell) {
    out << "no cell 1: no format mark, no scenario code\n";
    return;
  }
  const TrackCell& marks = cells[kMarkCell];
  out << "format mark " << marks.value_1 << " in cell 1";
  if (marks.value_1 != kCellsFormatMark) out << ", expected " << kCellsFormatMark;
  out << "\nscenario code " << marks.value_2 << " in cell 1\n";
}

void print_text(const DumpContext& context, const std::vector<TrackCell>& cells,
                std::ostream& out) {
  out << "cells file " << context.path << ": " << cells.size() << " cells, " << context.file_bytes
      << " bytes\n";
  print_marks(cells, out);
  const IndexSpan span = select_span(context.rows, cells.size());
  for (size_t i = span.first; i < span.end; ++i) {
    const std::vector<Meaning> meanings = cell_meanings(cells[i], i == kMarkCell);
    if (is_listed(cells[i], meanings)) {
      out << cell_line(i, cells[i], meanings) << '\n';
    } else if (span.end - span.first == 1) {
      out << cell_line(i, cells[i], meanings) << "empty\n";  // one cell asked for
    }
  }
  for (const Attribute& attribute : kAttributes) {
    for (const Run& run : runs_of(cells, span, attribute)) {
      out << cells_label(run.first, run.last) << ": " << attribute_text(attribute, run.byte)
          << '\n';
    }
  }
}

nlohmann::json cell_json(size_t index, const TrackCell& cell,
                         const std::vector<Meaning>& meanings) {
  nlohmann::json meaning = nlohmann::json::array();
  for (const Meaning& m : meanings) {
    nlohmann::json item = {
        {"label", m.label}, {"value", m.value}, {"slot", cell_slot_name(m.slot)}};
    if (!m.unit.empty()) item["unit"] = m.unit;
    meaning.push_back(std::move(item));
  }
  return {{"cell", index},
          {"position", cell_start(static_cast<int64_t>(index))},
          {"kind", cell.kind},
          {"kind_name", kind_label(cell.kind)},
          {"value_1", cell.value_1},
          {"value_2", cell.value_2},
          {"value_3", cell.value_3},
          {"value_4", cell.value_4},
          {"signal_time", cell.signal_time},
          {"approach", cell.approach},
          {"meaning", std::move(meaning)}};
}

nlohmann::json runs_json(const std::vector<TrackCell>& cells, IndexSpan span) {
  nlohmann::json runs = nlohmann::json::object();
  for (const Attribute& attribute : kAttributes) {
    nlohmann::json list = nlohmann::json::array();
    for (const Run& run : runs_of(cells, span, attribute)) {
      const std::optional<int64_t> value = attribute_value(attribute, run.byte);
      list.push_back({{"first", run.first},
                      {"last", run.last},
                      {"byte", run.byte},
                      {"value", value ? nlohmann::json(*value) : nlohmann::json(nullptr)}});
    }
    runs[attribute.json_name] = std::move(list);
  }
  return runs;
}

void print_json_document(const DumpContext& context, const std::vector<TrackCell>& cells,
                         std::ostream& out) {
  const bool has_marks = cells.size() > kMarkCell;
  const IndexSpan span = select_span(context.rows, cells.size());
  nlohmann::json listed = nlohmann::json::array();
  for (size_t i = span.first; i < span.end; ++i) {
    const std::vector<Meaning> meanings = cell_meanings(cells[i], i == kMarkCell);
    if (is_listed(cells[i], meanings)) listed.push_back(cell_json(i, cells[i], meanings));
  }
  print_json({{"file", context.path},
              {"kind", "cells"},
              {"bytes", context.file_bytes},
              {"cell_count", cells.size()},
              {"format_mark", has_marks ? nlohmann::json(cells[kMarkCell].value_1) : nullptr},
              {"scenario_code", has_marks ? nlohmann::json(cells[kMarkCell].value_2) : nullptr},
              {"cells", std::move(listed)},
              {"runs", runs_json(cells, span)}},
             out);
}

}  // namespace

void dump_cells(const DumpContext& context, const std::vector<TrackCell>& cells, bool json,
                std::ostream& out) {
  if (json) {
    print_json_document(context, cells, out);
  } else {
    print_text(context, cells, out);
  }
}

}  // namespace sb
