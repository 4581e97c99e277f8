#include "checks/diagnostic_report.h"

#include <algorithm>
#include <cstdio>

#include "checks/error_kinds.h"

namespace sb {
namespace {

using Json = nlohmann::ordered_json;

// The escapes C compilers colour their diagnostics with.
constexpr std::string_view kBold = "\033[01m\033[K";
constexpr std::string_view kRed = "\033[01;31m\033[K";
constexpr std::string_view kMagenta = "\033[01;35m\033[K";
constexpr std::string_view kGreen = "\033[01;32m\033[K";
constexpr std::string_view kReset = "\033[m\033[K";

std::string_view text_of(SourceLocation::Text text, const DiagnosticTexts& texts) {
  return text == SourceLocation::Text::kTrain ? texts.train_text : texts.line_text;
}

std::string_view name_of(SourceLocation::Text text, const DiagnosticTexts& texts) {
  return text == SourceLocation::Text::kTrain ? texts.train_name : texts.line_name;
}

// Line `number` (from 1) of a text, without its line end; empty past the end.
std::string_view line_at(std::string_view text, int number) {
  size_t start = 0;
  for (int line = 1; line < number; ++line) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return {};
    start = end + 1;
  }
  std::string_view line = text.substr(start, text.find('\n', start) - start);
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

bool has_line(const SourceLocation& location) {
  return location.text != SourceLocation::Text::kNone && location.line > 0;
}

std::string severity_of(const Diagnostic& diagnostic) {
  return diagnostic.severity == Diagnostic::Severity::kWarning ? "warning" : "error";
}

// The source line and the caret line under columns first..last, tabs kept so
// that the caret stands under its field.
std::string caret_lines(std::string_view line, int first, int last) {
  std::string under;
  for (int column = 1; column < first && column <= static_cast<int>(line.size()); ++column) {
    under += line[column - 1] == '\t' ? '\t' : ' ';
  }
  under += kGreen;
  under += '^';
  under.append(static_cast<size_t>(last - first), '~');
  under += kReset;
  return shown(line) + '\n' + under + '\n';
}

// The text before the message, coloured: "FILE:LINE:COL: warning W21: ".
std::string colored_head(const Diagnostic& diagnostic, const DiagnosticTexts& texts) {
  std::string head;
  const SourceLocation& at = diagnostic.location;
  if (at.text != SourceLocation::Text::kNone) {
    head += kBold;
    head += name_of(at.text, texts);
    if (at.line > 0) head += ':' + std::to_string(at.line) + ':' + std::to_string(at.column);
    head += ':';
    head += kReset;
    head += ' ';
  }
  const bool warning = diagnostic.severity == Diagnostic::Severity::kWarning;
  head += warning ? kMagenta : kRed;
  head += severity_of(diagnostic) + ' ' + diagnostic_code(diagnostic) + ':';
  head += kReset;
  head += ' ';
  return head;
}

// A path as a relative URI reference: '/' kept, every other byte outside the
// unreserved set escaped (so a ':' is never read as a scheme).
std::string uri_of(std::string_view path) {
  std::string uri;
  for (const char c : path) {
    const unsigned char byte = static_cast<unsigned char>(c);
    const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                       (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' ||
                       c == '~' || c == '/';
    if (plain) {
      uri += c;
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      uri += escaped;
    }
  }
  return uri;
}

Json place_json(const SourceLocation& location, const DiagnosticTexts& texts) {
  Json place = Json::object();
  place["file"] = std::string(name_of(location.text, texts));
  place["line"] = location.line > 0 ? Json(location.line) : Json(nullptr);
  place["column"] = location.line > 0 ? Json(location.column) : Json(nullptr);
  return place;
}

Json sarif_location(const SourceLocation& location, int end, const DiagnosticTexts& texts) {
  Json physical = {{"artifactLocation", {{"uri", uri_of(name_of(location.text, texts))}}}};
  if (location.line > 0) {
    physical["region"] = {
        {"startLine", location.line}, {"startColumn", location.column}, {"endColumn", end + 1}};
  }
  return {{"physicalLocation", physical}};
}

// The rule list, warnings first, with the code of each rule in its order.
Json sarif_rules(std::vector<DiagnosticCode>* codes) {
  Json rules = Json::array();
  for (const WarningKind& kind : warning_kinds()) {
    codes->emplace_back(kind.id);
    rules.push_back({{"id", codes->back().text()},
                     {"name", std::string(kind.name)},
                     {"shortDescription", {{"text", std::string(kind.summary)}}},
                     {"defaultConfiguration", {{"level", "warning"}}}});
  }
  for (const ErrorKind& kind : error_kinds()) {
    codes->emplace_back(kind.code);
    rules.push_back({{"id", codes->back().text()},
                     {"shortDescription", {{"text", std::string(kind.summary)}}},
                     {"defaultConfiguration", {{"level", "error"}}}});
  }
  return rules;
}

std::string dumped(const Json& json) {
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + '\n';
}

}  // namespace

int end_column(const Diagnostic& diagnostic, const DiagnosticTexts& texts) {
  const SourceLocation& at = diagnostic.location;
  if (!has_line(at) || at.column < 1) return at.column;
  const std::string_view line = line_at(text_of(at.text, texts), at.line);
  if (static_cast<size_t>(at.column) > line.size()) return at.column;
  std::string_view field = line.substr(static_cast<size_t>(at.column) - 1);
  field = field.substr(0, field.find(','));
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  return at.column + std::max<int>(static_cast<int>(field.size()) - 1, 0);
}

std::string format_colored_diagnostic(const Diagnostic& diagnostic, const DiagnosticTexts& texts) {
  std::string text = colored_head(diagnostic, texts) + diagnostic.message;
  if (diagnostic.related) {
    const SourceLocation& other = *diagnostic.related;
    text += " (";
    text += name_of(other.text, texts);
    text += ':' + std::to_string(other.line) + ':' + std::to_string(other.column) + ')';
  }
  if (diagnostic.code.warning()) {
    text += " [";
    text += kMagenta;
    text += warning_option(diagnostic);
    text += kReset;
    text += ']';
  }
  text += '\n';
  const SourceLocation& at = diagnostic.location;
  if (!has_line(at)) return text;
  const std::string_view line = line_at(text_of(at.text, texts), at.line);
  if (line.empty() || at.column < 1) return text;
  return text + caret_lines(line, at.column, end_column(diagnostic, texts));
}

Json diagnostic_json(const Diagnostic& diagnostic, const DiagnosticTexts& texts) {
  Json json = place_json(diagnostic.location, texts);
  if (diagnostic.location.text == SourceLocation::Text::kNone) json["file"] = nullptr;
  json["end_column"] =
      diagnostic.location.line > 0 ? Json(end_column(diagnostic, texts)) : Json(nullptr);
  json["severity"] = severity_of(diagnostic);
  const DiagnosticCode& code = diagnostic.code;
  json["code"] = code.empty() ? Json(nullptr) : Json(code.text());
  json["name"] = code.warning() ? Json(std::string(code.warning_name())) : Json(nullptr);
  json["message"] = diagnostic.message;
  json["related"] = Json::array();
  if (diagnostic.related) {
    Json other = place_json(*diagnostic.related, texts);
    other["message"] = "the entry that the message names";
    json["related"].push_back(other);
  }
  return json;
}

std::string diagnostics_json(const std::vector<Diagnostic>& diagnostics,
                             const DiagnosticTexts& texts) {
  return diagnostics_json(diagnostics, texts, Json());
}

std::string diagnostics_json(const std::vector<Diagnostic>& diagnostics,
                             const DiagnosticTexts& texts, const Json& summary) {
  Json list = Json::array();
  int errors = 0;
  for (const Diagnostic& diagnostic : diagnostics) {
    list.push_back(diagnostic_json(diagnostic, texts));
    if (diagnostic.severity == Diagnostic::Severity::kError) ++errors;
  }
  const int warnings = static_cast<int>(diagnostics.size()) - errors;
  Json document = {{"diagnostics", list}, {"errors", errors}, {"warnings", warnings}};
  if (!summary.is_null()) document["summary"] = summary;
  return dumped(document);
}

std::string diagnostics_sarif(const std::vector<Diagnostic>& diagnostics,
                              const DiagnosticTexts& texts, std::string_view tool_version) {
  std::vector<DiagnosticCode> rule_codes;
  const Json rules = sarif_rules(&rule_codes);
  Json results = Json::array();
  for (const Diagnostic& diagnostic : diagnostics) {
    Json result = {{"ruleId", diagnostic_code(diagnostic)},
                   {"level", severity_of(diagnostic)},
                   {"message", {{"text", diagnostic.message}}}};
    const auto rule = std::find(rule_codes.begin(), rule_codes.end(), diagnostic.code);
    if (rule != rule_codes.end()) {
      result["ruleIndex"] = static_cast<size_t>(rule - rule_codes.begin());
    }
    if (diagnostic.location.text != SourceLocation::Text::kNone) {
      result["locations"] =
          Json::array({sarif_location(diagnostic.location, end_column(diagnostic, texts), texts)});
    }
    if (diagnostic.related) {
      Json related = sarif_location(*diagnostic.related, diagnostic.related->column, texts);
      related["id"] = 0;
      related["message"] = {{"text", "the entry that the message names"}};
      result["relatedLocations"] = Json::array({related});
    }
    results.push_back(result);
  }
  const Json driver = {
      {"name", "scenario-builder"}, {"version", std::string(tool_version)}, {"rules", rules}};
  return dumped({{"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
                 {"version", "2.1.0"},
                 {"runs", Json::array({{{"tool", {{"driver", driver}}}, {"results", results}}})}});
}

}  // namespace sb
