#include "frontend/field_reader.h"

#include <limits>

namespace sb {
namespace {

constexpr size_t kLongestText = 65535;

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_end(char c) { return c == '\r' || c == '\n'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool parse_number_token(std::string_view token, int64_t* value, bool* overflow) {
  *value = 0;
  *overflow = false;
  size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  const size_t digits_start = i;
  while (i < token.size() && is_digit(token[i])) ++i;
  if (i == digits_start) return false;
  std::string_view whole = token.substr(digits_start, i - digits_start);
  std::string_view fraction;
  if (i < token.size()) {
    if (token[i] != '.') return false;
    const size_t fraction_start = ++i;
    while (i < token.size() && is_digit(token[i])) ++i;
    if (i == fraction_start || i != token.size()) return false;
    fraction = token.substr(fraction_start);
  }
  constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 1;
  int64_t magnitude = 0;
  for (char c : whole) {
    if (magnitude > kLimit) {
      *overflow = true;
      return false;
    }
    magnitude = magnitude * 10 + (c - '0');
  }
  // Round the fraction half to even, exactly, on its decimal digits.
  if (!fraction.empty()) {
    const char first = fraction[0];
    const bool beyond_half = fraction.find_first_not_of('0', 1) != std::string_view::npos;
    if (first > '5' || (first == '5' && (beyond_half || magnitude % 2 == 1))) ++magnitude;
  }
  *value = negative ? -magnitude : magnitude;
  return true;
}

FieldReader::FieldReader(std::string_view text) : text_(text) {}

void FieldReader::skip_blanks() {
  while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
}

bool FieldReader::at_line_end() const { return pos_ < text_.size() && is_line_end(text_[pos_]); }

void FieldReader::consume_line_end() {
  if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
  line_start_ = pos_;
}

void FieldReader::consume_delimiter() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else if (is_line_end(text_[pos_])) {
    consume_line_end();
  }
}

bool FieldReader::fail(ReadCause cause, std::string why) {
  cause_ = cause;
  failure_ = std::move(why);
  return false;
}

bool FieldReader::begin_field() {
  if (at_end()) return fail(ReadCause::kTextEnds, "the text ends where a field was expected");
  skip_blanks();
  field_line_ = line_;
  field_column_ = static_cast<int>(pos_ - line_start_) + 1;
  field_start_ = pos_;
  return true;
}

bool FieldReader::read_text(std::string* field) {
  if (!begin_field()) return false;
  field->clear();
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const size_t start = ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"' && !is_line_end(text_[pos_])) ++pos_;
    token_ = text_.substr(start, pos_ - start);
    field->assign(token_);
    if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
    // Whatever stands between the closing quote and the delimiter is dropped.
    while (pos_ < text_.size() && text_[pos_] != ',' && !is_line_end(text_[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !is_line_end(text_[pos_])) ++pos_;
    size_t end = pos_;
    while (end > start && is_blank(text_[end - 1])) --end;
    token_ = text_.substr(start, end - start);
    field->assign(token_);
  }
  consume_delimiter();
  if (field->size() > kLongestText) {
    return fail(ReadCause::kTooWide,
                "a text of " + std::to_string(field->size()) + " bytes is longer than 65535");
  }
  return true;
}

bool FieldReader::read_number(int64_t low, int64_t high, const char* width, int64_t* value) {
  if (!begin_field()) return false;
  const size_t start = pos_;
  while (pos_ < text_.size() && !is_blank(text_[pos_]) && text_[pos_] != ',' &&
         !is_line_end(text_[pos_])) {
    ++pos_;
  }
  const std::string_view token = text_.substr(start, pos_ - start);
  token_ = token;
  skip_blanks();
  consume_delimiter();
  bool overflow = false;
  if (!parse_number_token(token, value, &overflow)) {
    *value = 0;
    if (!overflow) return true;
  }
  if (overflow || *value < low || *value > high) {
    return fail(ReadCause::kTooWide, "the value " + std::string(token) + " does not fit " + width);
  }
  return true;
}

bool FieldReader::read_long(int32_t* value) {
  int64_t wide = 0;
  if (!read_number(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                   "a long (-2147483648 to 2147483647)", &wide)) {
    return false;
  }
  *value = static_cast<int32_t>(wide);
  return true;
}

bool FieldReader::read_short(int16_t* value) {
  int64_t wide = 0;
  if (!read_number(-32768, 32767, "a short (-32768 to 32767)", &wide)) return false;
  *value = static_cast<int16_t>(wide);
  return true;
}

bool FieldReader::read_byte(uint8_t* value) {
  int64_t wide = 0;
  if (!read_number(0, 255, "a byte (0 to 255)", &wide)) return false;
  *value = static_cast<uint8_t>(wide);
  return true;
}

}  // namespace sb
