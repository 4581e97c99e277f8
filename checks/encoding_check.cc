#include "checks/encoding_check.h"

#include <string>

namespace sb {
namespace {

bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The length of the UTF-8 character of two bytes or more at `i`, 0 if none.
size_t utf8_sequence(std::string_view text, size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if (!is_continuation(static_cast<unsigned char>(text[i + k]))) return 0;
  }
  return length;
}

SourceLocation location_of(std::string_view text, size_t offset, SourceLocation::Text which) {
  int line = 1;
  size_t line_start = 0;
  for (size_t i = 0; i < offset; ++i) {
    const bool cr_lf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if (text[i] == '\n' || (text[i] == '\r' && !cr_lf)) {
      ++line;
      line_start = i + 1;
    }
  }
  return {which, line, static_cast<int>(offset - line_start) + 1};
}

}  // namespace

std::optional<Diagnostic> check_encoding(std::string_view text, SourceLocation::Text which) {
  const bool utf16_mark = text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
  if (utf16_mark || text.find('\0') != std::string_view::npos) {
    return make_warning(WarningId::kEncoding, {which, 1, 1},
                        std::string("the text looks like UTF-16 (") +
                            (utf16_mark ? "a byte-order mark" : "NUL bytes") +
                            "): texts are Windows-1252, one byte a character; the compile "
                            "finds none of its fields");
  }
  if (text.starts_with("\xEF\xBB\xBF")) {
    return make_warning(WarningId::kEncoding, {which, 1, 1},
                        "the text begins with a UTF-8 byte-order mark: texts are Windows-1252");
  }
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t length = utf8_sequence(text, i);
    if (length == 0) continue;
    const std::string_view bytes = text.substr(i, length);
    return make_warning(WarningId::kEncoding, location_of(text, i, which),
                        "`" + shown(bytes) + "` looks like the UTF-8 bytes of `" +
                            std::string(bytes) + "`: texts are Windows-1252, so it is stored as " +
                            std::to_string(length) + " characters");
  }
  return std::nullopt;
}

}  // namespace sb
