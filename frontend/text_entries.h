#ifndef SCENARIO_BUILDER_FRONTEND_TEXT_ENTRIES_H_
#define SCENARIO_BUILDER_FRONTEND_TEXT_ENTRIES_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/grammar.h"
#include "model/error_codes.h"
#include "model/source_location.h"

namespace sb {

// A source text read as the compiler reads it: every field in order, what
// each one is to the reader, and the entries they form.  Bytes in, fields
// and entries out; nothing is lost (the fields tile the text) and nothing is
// changed (keywords are tested by the grammar's substring tests, comments
// by the dash rule, and an entry takes its values from the next fields
// wherever they stand).

// What a field is to the reader.
enum class FieldRole : uint8_t {
  kSkipped,  // before the field that opens the entries: read, never examined
  kOpening,  // the field holding "[generale]"
  kComment,  // holds "-" and is skipped, ahead of a keyword field
  kKeyword,  // a keyword field that starts one entry or more
  kStray,    // a keyword field that starts none: a header, a blank, an unknown word
  kValue,    // a value of an entry
  kLast,     // the text's last field, which the reader never examines
  kUnread,   // beyond where reading failed (or a text with no opening field)
};

struct TextField {
  // Byte offsets: [start, stop) is the field as written (a text's quotes
  // included, blanks around it excluded); [token, token + token_size) what
  // the reader takes of it; `end` is past its delimiter, where the next
  // field's leading blanks begin.  The fields' [previous end, end) tile the
  // text.
  uint32_t start = 0;
  uint32_t stop = 0;
  uint32_t end = 0;
  uint32_t token = 0;
  uint32_t token_size = 0;
  int32_t line = 0;
  int32_t column = 0;
  FieldRole role = FieldRole::kUnread;
  bool number = false;  // read as a number (else as a text)
  // A number's value as read, 0 when it is not a number.
  int64_t value = 0;
};

// One entry: its kind, its keyword field and the fields of its values, which
// follow it one after another (two entries that one keyword field starts
// share that field, the second taking its values after the first's).
struct TextEntry {
  EntryId id;
  uint32_t keyword;      // index of the keyword field
  uint32_t first_value;  // index of the first value field
  uint32_t values;       // values read: fewer than its slots where reading failed

  const Entry& grammar() const { return grammar_entry(id); }
  bool complete() const { return values == grammar().slots.size(); }
};

// Where reading failed, as the compiler reports it: what, and where the
// reader stood (the field it failed on, or the last one read before the
// text ended; line 0 when no field was read).
struct ReadFailure {
  std::string why;
  int line = 0;
  int column = 0;
  ReadCause cause = ReadCause::kNone;
};

struct TextEntries {
  std::string_view text;
  SourceLocation::Text which = SourceLocation::Text::kNone;
  std::vector<TextField> fields;
  std::vector<TextEntry> entries;
  // A field holding "[generale]" was found before the last field.
  bool opened = false;
  // The line text's general section ended without a read failure: entries
  // from `body` on are the body's.
  bool general_done = false;
  size_t body = 0;
  // Index of the last keyword or comment field of the line text's general
  // section (where a missing route length is reported).
  size_t general_last = 0;
  // Set when reading failed; `failed_entry` then says whether it failed
  // inside the last entry (its values cut short) or between entries.
  bool failed = false;
  bool failed_entry = false;
  ReadFailure failure;
  // The field reading failed on, or fields.size() when the failed read took
  // no bytes (the text had ended).
  size_t failed_field = 0;

  std::string_view token(const TextField& field) const {
    return text.substr(field.token, field.token_size);
  }
  std::string_view written(const TextField& field) const {
    return text.substr(field.start, field.stop - field.start);
  }
  SourceLocation location(const TextField& field) const {
    return {which, field.line, field.column};
  }
  const TextField& keyword(const TextEntry& entry) const { return fields[entry.keyword]; }
  std::span<const TextField> values(const TextEntry& entry) const {
    return std::span<const TextField>(fields).subspan(entry.first_value, entry.values);
  }
};

struct ReadOptions {
  // Curve entries are read (the compiler reads them only when it builds the
  // line trace; otherwise their keyword fields are stray).
  bool curves = true;
};

// Reads `text` as the line text or the train text.
TextEntries read_text_entries(std::string_view text, SourceLocation::Text which,
                              ReadOptions options = {});

// The text again, from its fields: the bytes read_text_entries() was given.
std::string rebuild_text(const TextEntries& entries);

// The field whose span [previous end, end) holds byte `offset`; null past the
// text's end.
const TextField* field_at(const TextEntries& entries, size_t offset);

std::string_view role_name(FieldRole role);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FRONTEND_TEXT_ENTRIES_H_
