#include "decompile/source_text.h"

namespace sb {

std::optional<std::string> text_field(std::string_view text) {
  if (text.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  const bool blank_edge = !text.empty() && (text.front() == ' ' || text.front() == '\t' ||
                                            text.back() == ' ' || text.back() == '\t');
  const bool needs_quotes = blank_edge || text.find(',') != std::string_view::npos ||
                            (!text.empty() && text.front() == '"');
  if (!needs_quotes) return std::string(text);
  if (text.find('"') != std::string_view::npos) return std::nullopt;
  return "\"" + std::string(text) + "\"";
}

std::string entry_line(std::string_view keyword, std::initializer_list<int64_t> values) {
  std::string line(keyword);
  for (int64_t value : values) {
    line += ", ";
    line += std::to_string(value);
  }
  return line;
}

std::string entry_line(EntryId id, std::initializer_list<int64_t> values) {
  return entry_line(grammar_entry(id).keyword, values);
}

std::string SourceText::bytes() const {
  std::string out;
  for (const std::string& text : lines_) {
    out += text;
    out += "\r\n";
  }
  return out;
}

}  // namespace sb
