#ifndef SCENARIO_BUILDER_FRONTEND_FIELD_READER_H_
#define SCENARIO_BUILDER_FRONTEND_FIELD_READER_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/error_codes.h"

namespace sb {

// Reads a source text, held whole in memory, as a stream of fields.
//
// A field ends at a comma or a line end (CR LF, or a lone CR or LF); blanks
// (space, tab) in front of it are skipped.  Read as text, a field runs to the
// comma or line end, without its trailing blanks; one that begins with a
// double quote runs to the closing quote, the quotes not stored.  Read as a
// number, a field ends at the first blank, comma or line end, and a comma or
// line end behind the blanks that follow still belongs to it ("850 , 2"
// reads 850 then 2; "12   48" reads 12 then 48).  A number is an optional
// sign, digits and an optional fraction (".5" after at least one digit),
// rounded half to even; anything else, an empty field included, reads 0.
//
// A read fails past the end of the text, for a number outside its width and
// for a text longer than 65535 bytes; failure() then says why.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text);

  // The end-of-file test: true once every byte has been consumed, so right
  // after the text's last field.
  bool at_end() const { return pos_ >= text_.size(); }

  bool read_text(std::string* field);
  bool read_long(int32_t* value);
  bool read_short(int16_t* value);
  bool read_byte(uint8_t* value);

  // The field read last as the text holds it: a number's token, a text's
  // bytes without quotes or trailing blanks.  Valid while the text lives.
  std::string_view token() const { return token_; }

  // Where the field read last began (1-based).
  int line() const { return field_line_; }
  // The byte offsets of the field read last: where its first byte (a quote
  // included) stands, and where the reader stands now, past its delimiter.
  size_t field_start() const { return field_start_; }
  size_t offset() const { return pos_; }
  int column() const { return field_column_; }
  const std::string& failure() const { return failure_; }
  ReadCause failure_cause() const { return cause_; }

 private:
  bool read_number(int64_t low, int64_t high, const char* width, int64_t* value);
  bool begin_field();
  void skip_blanks();
  bool at_line_end() const;
  void consume_line_end();
  void consume_delimiter();
  bool fail(ReadCause cause, std::string why);

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  size_t line_start_ = 0;
  int field_line_ = 0;
  int field_column_ = 0;
  size_t field_start_ = 0;
  std::string_view token_;
  std::string failure_;
  ReadCause cause_ = ReadCause::kNone;
};

// Parses one number token; false when it is not a number (reads as 0) and
// *overflow when its digits do not fit 64 bits.
bool parse_number_token(std::string_view token, int64_t* value, bool* overflow);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FRONTEND_FIELD_READER_H_
