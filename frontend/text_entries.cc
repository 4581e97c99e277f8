#include "frontend/text_entries.h"

#include <algorithm>

#include "frontend/field_reader.h"
#include "frontend/text_rules.h"
#include "util/text.h"

namespace sb {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

class EntryReader {
 public:
  EntryReader(std::string_view text, SourceLocation::Text which, ReadOptions options)
      : reader_(text), options_(options) {
    out_.text = text;
    out_.which = which;
    out_.fields.reserve(text.size() / 8 + 1);
  }

  TextEntries run() {
    if (seek_opening()) {
      if (out_.which == SourceLocation::Text::kLine) {
        if (general_section()) {
          out_.general_done = true;
          out_.body = out_.entries.size();
          keyword_fields(Section::kLineBody);
        }
      } else {
        keyword_fields(Section::kTrain);
      }
    }
    rest_unread();
    return std::move(out_);
  }

 private:
  // Reads up to the field holding "[generale]"; false when the text ends
  // first (its last field being read) or reading fails.
  bool seek_opening() {
    while (true) {
      if (!text_field(FieldRole::kSkipped)) return false;
      if (reader_.at_end()) return last_field();
      if (contains_ignoring_case(field_text(), kOpeningField)) {
        out_.fields.back().role = FieldRole::kOpening;
        out_.opened = true;
        return true;
      }
    }
  }

  // The line text's general section: more comments in a row than in the
  // body, and a comment may stand last and be followed by an examined
  // field.  False when reading failed.
  bool general_section() {
    while (!reader_.at_end()) {
      if (!general_keyword()) return false;
      if (reader_.at_end()) {
        last_field();
        return true;
      }
      for (int i = 0; i < kMostGeneralComments && is_comment(field_text()); ++i) {
        out_.fields.back().role = FieldRole::kComment;
        if (!general_keyword()) return false;
      }
      if (!examine(Section::kLineGeneral)) return false;
      if (closes_general_section(out_.token(out_.fields[keyword_]))) return true;
    }
    return true;
  }

  bool general_keyword() {
    if (!text_field(FieldRole::kStray)) return false;
    out_.general_last = out_.fields.size() - 1;
    return true;
  }

  // The body of the line text, or the train text: up to two comments before
  // a keyword field, and the last field is never examined.
  void keyword_fields(Section section) {
    while (!reader_.at_end()) {
      if (!text_field(FieldRole::kStray)) return;
      if (reader_.at_end()) {
        last_field();
        return;
      }
      for (int i = 0; i < kMostBodyComments && is_comment(field_text()); ++i) {
        out_.fields.back().role = FieldRole::kComment;
        if (!text_field(FieldRole::kStray)) return;
        if (reader_.at_end()) {
          last_field();
          return;
        }
      }
      if (!examine(section)) return;
    }
  }

  // Every entry of `section` whose keyword test the field passes reads its
  // values, in the grammar's order.  False when reading failed.
  bool examine(Section section) {
    keyword_ = static_cast<uint32_t>(out_.fields.size() - 1);
    const std::string_view keyword = field_text();
    for (const Entry& entry : grammar_entries()) {
      if (entry.section != section || !keyword_matches(entry, keyword)) continue;
      if (entry.id == EntryId::kCurve && !options_.curves) continue;
      out_.fields[keyword_].role = FieldRole::kKeyword;
      if (!read_values(entry)) return false;
    }
    return true;
  }

  bool read_values(const Entry& entry) {
    TextEntry read{entry.id, keyword_, static_cast<uint32_t>(out_.fields.size()), 0};
    for (const Slot& slot : entry.slots) {
      const bool ok =
          slot.width == Width::kText ? text_field(FieldRole::kValue) : number_field(slot.width);
      if (!ok) {
        out_.failed_entry = true;
        out_.entries.push_back(read);
        return false;
      }
      ++read.values;
    }
    out_.entries.push_back(read);
    return true;
  }

  // The field just read is the text's last: never examined.  Returns false.
  bool last_field() {
    out_.fields.back().role = FieldRole::kLast;
    return false;
  }

  bool text_field(FieldRole role) {
    std::string text;
    const bool ok = reader_.read_text(&text);
    return took(ok, role, false);
  }

  bool number_field(Width width) {
    bool ok = false;
    int64_t value = 0;
    switch (width) {
      case Width::kLong: {
        int32_t v = 0;
        ok = reader_.read_long(&v);
        value = v;
        break;
      }
      case Width::kShort: {
        int16_t v = 0;
        ok = reader_.read_short(&v);
        value = v;
        break;
      }
      case Width::kByte:
      case Width::kText: {
        uint8_t v = 0;
        ok = reader_.read_byte(&v);
        value = v;
        break;
      }
    }
    if (!took(ok, FieldRole::kValue, true)) return false;
    out_.fields.back().value = value;
    return true;
  }

  // Notes the field the reader took (if it took one) and, when it failed,
  // the failure.  Returns `ok`.
  bool took(bool ok, FieldRole role, bool number) {
    const size_t end = reader_.offset();
    const bool took_bytes = end > previous_end_;
    if (took_bytes) {
      TextField field;
      field.start = static_cast<uint32_t>(reader_.field_start());
      const std::string_view token = reader_.token();
      field.token = static_cast<uint32_t>(token.data() - out_.text.data());
      field.token_size = static_cast<uint32_t>(token.size());
      field.stop = static_cast<uint32_t>(written_stop(field, end));
      field.end = static_cast<uint32_t>(end);
      field.line = reader_.line();
      field.column = reader_.column();
      field.role = role;
      field.number = number;
      out_.fields.push_back(field);
      previous_end_ = end;
    }
    if (!ok) fail(took_bytes ? out_.fields.size() - 1 : out_.fields.size());
    return ok;
  }

  // Where the field as written stops: before its delimiter and the blanks
  // ahead of it, but never inside what the reader took (or the closing
  // quote).
  size_t written_stop(const TextField& field, size_t end) const {
    const std::string_view text = out_.text;
    size_t stop = end;
    if (stop > field.start && text[stop - 1] == '\n') {
      --stop;
      if (stop > field.start && text[stop - 1] == '\r') --stop;
    } else if (stop > field.start && (text[stop - 1] == '\r' || text[stop - 1] == ',')) {
      --stop;
    }
    while (stop > field.start && is_blank(text[stop - 1])) --stop;
    size_t least = field.token + field.token_size;
    if (least < text.size() && text[least] == '"' && field.token > field.start) ++least;
    return std::max(stop, least);
  }

  void fail(size_t field) {
    out_.failed = true;
    out_.failed_field = field;
    out_.failure = {reader_.failure(), reader_.line(), reader_.column(), reader_.failure_cause()};
  }

  // What stands beyond the reading's end, field by field, as texts.
  void rest_unread() {
    while (!reader_.at_end()) {
      std::string text;
      reader_.read_text(&text);
      took(true, FieldRole::kUnread, false);
    }
  }

  std::string_view field_text() const { return out_.token(out_.fields.back()); }

  FieldReader reader_;
  ReadOptions options_;
  TextEntries out_;
  size_t previous_end_ = 0;
  uint32_t keyword_ = 0;
};

}  // namespace

TextEntries read_text_entries(std::string_view text, SourceLocation::Text which,
                              ReadOptions options) {
  return EntryReader(text, which, options).run();
}

std::string rebuild_text(const TextEntries& entries) {
  std::string text;
  text.reserve(entries.text.size());
  size_t begin = 0;
  for (const TextField& field : entries.fields) {
    text.append(entries.text.substr(begin, field.end - begin));
    begin = field.end;
  }
  text.append(entries.text.substr(begin));
  return text;
}

const TextField* field_at(const TextEntries& entries, size_t offset) {
  const auto it =
      std::upper_bound(entries.fields.begin(), entries.fields.end(), offset,
                       [](size_t at, const TextField& field) { return at < field.end; });
  return it == entries.fields.end() ? nullptr : &*it;
}

std::string_view role_name(FieldRole role) {
  switch (role) {
    case FieldRole::kSkipped: return "skipped";
    case FieldRole::kOpening: return "opening";
    case FieldRole::kComment: return "comment";
    case FieldRole::kKeyword: return "keyword";
    case FieldRole::kStray: return "stray";
    case FieldRole::kValue: return "value";
    case FieldRole::kLast: return "last";
    case FieldRole::kUnread: return "unread";
  }
  return {};
}

}  // namespace sb
