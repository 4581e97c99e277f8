#include "checks/separator_hint.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sb {
namespace {

// The lines of a text, without their line ends.
std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find('\n', start);
    std::string_view line =
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

bool blank(char c) { return c == ' ' || c == '\t'; }

// The separator that stands between two values where a comma should:
// "tabs", "semicolons", or null when the line has none (a comment line has
// none: it is free text).
const char* wrong_separator(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] == '-') return nullptr;  // a comment
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c != ';' && c != '\t') continue;
    // The character before the run of blanks and separators, and after it.
    size_t before = i;
    while (before > 0 && (blank(line[before - 1]) || line[before - 1] == ';')) --before;
    size_t after = i;
    while (after < line.size() && (blank(line[after]) || line[after] == ';')) ++after;
    if (before == 0 || after == line.size()) continue;
    if (line[before - 1] == ',' || line[after] == ',') continue;
    return c == ';' ? "semicolons" : "tabs";
  }
  return nullptr;
}

}  // namespace

void hint_separators(std::string_view line_text, std::string_view train_text,
                     std::vector<Diagnostic>* diagnostics) {
  if (diagnostics->empty()) return;
  const std::vector<std::string_view> lines[] = {lines_of(line_text), lines_of(train_text)};
  std::set<std::pair<int, int>> hinted;
  for (Diagnostic& diagnostic : *diagnostics) {
    const SourceLocation& at = diagnostic.location;
    if (at.text == SourceLocation::Text::kNone || at.line <= 0) continue;
    const int text = at.text == SourceLocation::Text::kTrain ? 1 : 0;
    const auto line = static_cast<size_t>(at.line);
    if (line > lines[text].size() || !hinted.insert({text, at.line}).second) continue;
    const char* separator = wrong_separator(lines[text][line - 1]);
    if (separator == nullptr) continue;
    diagnostic.message += "; values are separated by commas, not " + std::string(separator);
  }
}

}  // namespace sb
