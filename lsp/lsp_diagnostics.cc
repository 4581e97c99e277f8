#include "lsp/lsp_diagnostics.h"

#include <algorithm>

namespace sb {
namespace {

constexpr int kError = 1;
constexpr int kWarning = 2;

Json position_json(Position at) { return {{"line", at.line}, {"character", at.character}}; }

const CheckedText& text_of(SourceLocation::Text which, const CheckedText& line,
                           const CheckedText& train) {
  return which == SourceLocation::Text::kTrain ? train : line;
}

std::string hex_code(uint32_t code_point) {
  static const char digits[] = "0123456789ABCDEF";
  std::string code;
  for (int shift = code_point > 0xFFFF ? 16 : 12; shift >= 0; shift -= 4) {
    code += digits[(code_point >> shift) & 15];
  }
  return "U+" + code;
}

// The code point of the UTF-8 character at the start of `utf8`.
uint32_t code_point_of(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8.empty() ? 0 : utf8[0]);
  const size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  uint32_t value = extra == 0 ? lead : lead & (0x3Fu >> extra);
  for (size_t i = 1; i <= extra && i < utf8.size(); ++i) {
    value = (value << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3Fu);
  }
  return value;
}

}  // namespace

Json range_at(const Document& document, int line, int column, int end_column,
              PositionEncoding encoding) {
  const size_t start = document.byte_at(std::max(line, 1), std::max(column, 1));
  const size_t end = document.byte_at(std::max(line, 1), std::max(end_column, column) + 1);
  return {{"start", position_json(document.position(start, encoding))},
          {"end", position_json(document.position(std::max(start, end), encoding))}};
}

Json lsp_diagnostic(const Diagnostic& diagnostic, const CheckedText& line, const CheckedText& train,
                    PositionEncoding encoding) {
  const DiagnosticTexts texts{line.path, train.path, line.document->bytes(),
                              train.document->bytes()};
  const Json shared = diagnostic_json(diagnostic, texts);
  const SourceLocation& at = diagnostic.location;
  const CheckedText& own = text_of(at.text, line, train);
  const int last = shared["end_column"].is_number() ? shared["end_column"].get<int>() : 0;
  Json result = {
      {"range", range_at(*own.document, at.line, at.column, last, encoding)},
      {"severity", diagnostic.severity == Diagnostic::Severity::kError ? kError : kWarning},
      {"source", "scenario-builder"}};
  std::string message = diagnostic.message;
  if (!diagnostic.code.empty()) result["code"] = shared["code"];
  if (diagnostic.code.warning()) {
    const std::string name(diagnostic.code.warning_name());
    message += " [-W" + name + "]";
    result["data"] = {{"name", name}};
  }
  result["message"] = message;
  if (diagnostic.related) {
    const SourceLocation& other = *diagnostic.related;
    const CheckedText& where = text_of(other.text, line, train);
    Diagnostic related_place;
    related_place.location = other;
    const int other_end = end_column(related_place, texts);
    result["relatedInformation"] = Json::array(
        {{{"location",
           {{"uri", where.uri},
            {"range", range_at(*where.document, other.line, other.column, other_end, encoding)}}},
          {"message", shared["related"][0]["message"]}}});
  }
  return result;
}

Json lacking_character_diagnostic(const Document& document, uint32_t byte,
                                  PositionEncoding encoding) {
  const Position start = document.position(byte, encoding);
  const Position end = document.position(byte + 1, encoding);
  const std::string_view character = document.character(byte);
  const std::string message = "\"" + std::string(character) + "\" (" +
                              hex_code(code_point_of(character)) +
                              ") cannot be written in Windows-1252, the texts' encoding";
  return {{"range", {{"start", position_json(start)}, {"end", position_json(end)}}},
          {"severity", kError},
          {"source", "scenario-builder"},
          {"message", message}};
}

}  // namespace sb
