#include "live/diagnostic_places.h"

#include <map>
#include <optional>

#include "format/file_names.h"
#include "frontend/text_entries.h"

namespace sb {
namespace {

// One text read into entries, with its bytes kept alive beside them.
struct ReadText {
  std::string bytes;
  TextEntries entries;
};

// The position of the entry whose fields cover `line`, when its first value
// is a position along the line (in metres, outside the line text's general
// section).
std::optional<int64_t> position_at(const TextEntries& text, int line) {
  for (const TextEntry& entry : text.entries) {
    const TextField& keyword = text.keyword(entry);
    if (keyword.line > line) break;
    const auto values = text.values(entry);
    const int last_line = values.empty() ? keyword.line : values.back().line;
    if (line > last_line || values.empty()) continue;
    const Entry& grammar = entry.grammar();
    if (grammar.section == Section::kLineGeneral || grammar.slots.empty() ||
        grammar.slots[0].unit != "m" || !values[0].number) {
      continue;
    }
    return values[0].value;
  }
  return std::nullopt;
}

}  // namespace

void place_diagnostics(nlohmann::ordered_json& diagnostics, FileSystem& texts,
                       const std::string& line_text, const std::string& train_text) {
  std::map<std::string, ReadText> read;
  for (nlohmann::ordered_json& diagnostic : diagnostics) {
    const auto file = diagnostic.value("file", std::string());
    const bool is_line = file == line_text;
    if ((!is_line && file != train_text) ||
        !diagnostic.value("line", nlohmann::ordered_json()).is_number()) {
      continue;
    }
    auto [at, fresh] = read.try_emplace(file);
    if (fresh) {
      std::string error;
      texts.read_file(file, {kMostSourceTextBytes, kSourceTextKind}, &at->second.bytes, &error);
      at->second.entries = read_text_entries(
          at->second.bytes, is_line ? SourceLocation::Text::kLine : SourceLocation::Text::kTrain);
    }
    if (const auto position = position_at(at->second.entries, diagnostic["line"].get<int>())) {
      diagnostic["position"] = *position;
    }
  }
}

}  // namespace sb
