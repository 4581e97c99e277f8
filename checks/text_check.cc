#include "checks/text_check.h"

#include <array>
#include <cmath>
#include <algorithm>
#include <limits>
#include <span>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "checks/encoding_check.h"
#include "checks/spelling.h"
#include "frontend/field_reader.h"
#include "frontend/text_entries.h"
#include "frontend/text_rules.h"
#include "compiler/finding_text.h"
#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "format/object_cells.h"
#include "format/station_area.h"
#include "format/records.h"
#include "grammar/entry_values.h"
#include "grammar/grammar.h"
#include "model/error_codes.h"
#include "util/rounding.h"
#include "util/text.h"

namespace sb {
namespace {

constexpr size_t kMostSlots = 17;

std::string quoted(std::string_view cp1252) { return "`" + shown(cp1252) + "`"; }

bool is_blank(std::string_view field) {
  return field.find_first_not_of(" \t") == std::string_view::npos;
}

bool has_digit(std::string_view text) {
  return text.find_first_of("0123456789") != std::string_view::npos;
}

bool has_letter(std::string_view text) {
  for (char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  }
  return false;
}

// A value field that reads like the start of an entry or a section header.
bool looks_like_keyword(std::string_view token) {
  if (is_header(token)) return true;
  if (!has_letter(token)) return false;
  for (const Entry& entry : grammar_entries()) {
    if (keyword_matches_ignoring_case(entry, token)) return true;
  }
  return false;
}

bool is_number(std::string_view token) {
  int64_t value = 0;
  bool overflow = false;
  return parse_number_token(token, &value, &overflow) || overflow;
}

// A field that the reader would skip as a comment ahead of a keyword field.
bool looks_like_comment(std::string_view field) {
  return contains(field, "-") && !is_number(field);
}

std::string trimmed(std::string_view field) {
  const size_t first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = field.find_last_not_of(" \t");
  return std::string(field.substr(first, last - first + 1));
}

// "1 value", "16 values"
std::string values_count(size_t n) { return std::to_string(n) + (n == 1 ? " value" : " values"); }
std::string expected_count(size_t n) {
  return std::to_string(n) + (n == 1 ? " is expected" : " are expected");
}

// The comment fields skipped in a row, and the one beyond them.
std::string_view count_word(int n) { return n == 2 ? "two" : "ten"; }
std::string_view ordinal_after(int n) { return n == 2 ? "third" : "eleventh"; }

std::string article(std::string_view title) {
  const bool vowel = std::string_view("aeiou").find(title[0]) != std::string_view::npos;
  return (vowel ? "an " : "a ") + std::string(title);
}

// What a value outside its slot's range becomes, where it can be said.
std::string stored_value(const Slot& slot, int64_t value) {
  if (contains(slot.stored, "low 8 bits") && slot.name == "gradient") {
    return " (gradient " +
           std::to_string(stored_gradient(pack_gradient(static_cast<int32_t>(value)))) + ")";
  }
  if (contains(slot.stored, "low 8 bits")) {
    return " (" + std::to_string(static_cast<int>(static_cast<uint8_t>(value))) + ")";
  }
  if (contains(slot.stored, "low 16 bits")) {
    return " (" + std::to_string(static_cast<int16_t>(static_cast<uint16_t>(value))) + ")";
  }
  return {};
}

// What a value of a signed slot outside its range becomes when its bits
// make it one of the opposite sign (a gradient of 200 kept as -56); none
// otherwise.
std::optional<int64_t> wrapped_value(const Slot& slot, int64_t value) {
  if (slot.low >= 0 || value == 0) return std::nullopt;
  int64_t stored = value;
  if (contains(slot.stored, "low 8 bits") && slot.name == "gradient") {
    stored = stored_gradient(pack_gradient(static_cast<int32_t>(value)));
  } else if (contains(slot.stored, "low 16 bits")) {
    stored = static_cast<int16_t>(static_cast<uint16_t>(value));
  }
  if ((stored < 0) == (value < 0) || stored == 0) return std::nullopt;
  return stored;
}

struct StationSeen {
  int64_t position = 0;
  int64_t kind = 0;
  SourceLocation at;
};

struct Seen {
  bool any = false;
  int64_t position = 0;
  int64_t end = 0;
  int line = 0;
};

class TextChecker {
 public:
  TextChecker(std::string_view text, SourceLocation::Text which,
              std::vector<Diagnostic>* diagnostics)
      : text_(text),
        read_(read_text_entries(text, which)),
        which_(which),
        diagnostics_(diagnostics) {}

  LineFacts check_line() {
    if (!check_text_as_a_whole()) return {};
    if (!opened()) return facts_;
    if (!keyword_fields(Section::kLineGeneral)) return facts_;
    fold_beyond_route();
    return facts_;
  }

  TrainFacts check_train(const LineFacts& line) {
    facts_.route_length = line.route_length;
    facts_.route_length_unread = line.route_length_unread;
    // The train's entries meet the line's boards in the cells.
    facts_.placements = line.placements;
    for (size_t i = 0; i < facts_.placements.size(); ++i) holders_[facts_.placements[i].cell] = i;
    walk_train();
    facts_.placements.erase(
        facts_.placements.begin(),
        facts_.placements.begin() + static_cast<std::ptrdiff_t>(line.placements.size()));
    return facts_;
  }

 private:
  // The entries beyond a route length that did not read as a number are
  // said of once, on the route length.
  void fold_beyond_route() {
    if (beyond_folded_ == 0) return;
    for (Diagnostic& diagnostic : *diagnostics_) {
      if (diagnostic.code != WarningId::kRouteLengthNotANumber) continue;
      diagnostic.message += "; " + std::to_string(beyond_folded_) +
                            (beyond_folded_ == 1 ? " entry lies beyond it and is"
                                                 : " entries lie beyond it and are") +
                            " not reported one by one";
    }
  }

  // The last station of the run is its last stop: one of a kind that gets
  // no stop cell leaves the run without one.
  void check_last_stop() {
    if (!last_station_ || last_station_->kind < kUnmarkedStationKind) return;
    warn(WarningId::kLastStopDropped, last_station_->at,
         "the last station, at " + metres(last_station_->position) + ", has kind " +
             std::to_string(last_station_->kind) +
             ", which gets no stop cell (kinds 25 and above): the run has no last stop");
  }

  void walk_train() {
    if (!check_text_as_a_whole()) return;
    if (!opened()) {
      warn(WarningId::kNoGeneralSection, {which_, 1, 1},
           "no field contains [generale]: the train text yields no entries (no station, speed "
           "0, adhesion 0)");
      return;
    }
    const SourceLocation general = opening_location();
    keyword_fields(Section::kTrain);
    if (reading_failed_) return;  // what stands beyond is unknown
    if (!clock_seen_) warn(WarningId::kMissingEntry, general, "the train text sets no clock");
    if (!station_seen_) warn(WarningId::kMissingEntry, general, "the train text has no station");
    check_last_stop();
    if (beyond_folded_ > 0) {
      warn(WarningId::kBeyondRoute, general,
           std::to_string(beyond_folded_) + (beyond_folded_ == 1 ? " entry lies" : " entries lie") +
               " beyond the route length " + metres(*facts_.route_length) +
               ", which the line text's route length makes (it does not read as a number)");
    }
  }

 private:
  // ---- the text as a whole ----

  // False when the text is not worth walking field by field.
  bool check_text_as_a_whole() {
    if (std::optional<Diagnostic> diagnostic = check_encoding(text_, which_)) {
      diagnostics_->push_back(*diagnostic);
      if (diagnostic->message.find("UTF-16") != std::string::npos) return false;
    }
    check_ending();
    return true;
  }

  void check_ending() {
    size_t end = text_.size();
    while (true) {
      while (end > 0 && (text_[end - 1] == '\r' || text_[end - 1] == '\n' ||
                         text_[end - 1] == ' ' || text_[end - 1] == '\t')) {
        --end;
      }
      if (end == 0) return;
      break;
    }
    size_t start = text_.find_last_of("\r\n", end - 1);
    start = start == std::string_view::npos ? 0 : start + 1;
    if (contains_ignoring_case(text_.substr(start, end - start), "[fine]")) return;
    int line = 1;
    for (size_t i = 0; i < start; ++i) {
      if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n')))
        ++line;
    }
    warn(WarningId::kCutShort, {which_, line, 1},
         "the text does not end with its [fine] line: it may have been cut short (the last "
         "field of a text is never examined)");
  }

  // ---- walks, over the fields as the compiler reads them ----

  // Where the compile's reading fails, the checks stop too: the rest of the
  // text is beyond what both read alike.
  bool read_failed() {
    reading_failed_ = true;
    const ReadFailure& failure = read_.failure;
    SourceLocation at{which_, failure.line, failure.column};
    if (at.line == 0) at = {which_, 1, 1};  // an empty text: no field was read
    error(kReadFailed, at,
          failure.cause == ReadCause::kTextEnds ? "read failure: " + failure.why : failure.why);
    return false;
  }

  // False, with the read failure, when the text holds no opening field.
  bool opened() {
    if (read_.opened) return true;
    if (read_.failed) read_failed();
    return false;
  }

  SourceLocation opening_location() const {
    for (const TextField& field : read_.fields) {
      if (field.role == FieldRole::kOpening) return read_.location(field);
    }
    return {which_, 1, 1};
  }

  // Examines the keyword fields from the opening field on, starting in
  // `section`; the line text's general section gives way to its body.
  // False when reading failed in the general section.
  bool keyword_fields(Section section) {
    int comments = 0;
    int comment_line = 0;
    for (size_t i = 0; i < read_.fields.size(); ++i) {
      if (read_.failed && !read_.failed_entry && i == read_.failed_field) break;
      const TextField& field = read_.fields[i];
      if (field.role == FieldRole::kComment) {
        ++comments;
        comment_line = field.line;
        continue;
      }
      if (field.role != FieldRole::kKeyword && field.role != FieldRole::kStray) continue;
      const std::string_view token = read_.token(field);
      comments_skipped_ = is_comment(token) ? comments : 0;
      if (!examine(i, section, comment_line)) return section != Section::kLineGeneral;
      comments = 0;
      comment_line = 0;
      if (section == Section::kLineGeneral && closes_general_section(token)) {
        section = Section::kLineBody;
      }
    }
    if (read_.failed && !read_.failed_entry) {
      read_failed();
      return section != Section::kLineGeneral;
    }
    return true;
  }

  // ---- keyword fields ----

  // False when reading failed.
  bool examine(size_t keyword, Section section, int comment_line) {
    read_last_ = keyword;
    const std::string field(token());
    const SourceLocation at = here();
    const bool after_comment = comment_line == at.line;
    const bool after_text = text_value_line_ == at.line;
    text_value_line_ = 0;
    const Entry* first_match = nullptr;
    for (const Entry& entry : grammar_entries()) {
      if (entry.section == section && keyword_matches(entry, field)) {
        first_match = &entry;
        break;
      }
    }
    const auto starts = [&] {
      return first_match ? ", and it starts " + article(first_match->title) + " entry"
                         : std::string();
    };
    entry_from_comment_ = first_match && comments_skipped_ > 0;
    if (entry_from_comment_) {
      warn(WarningId::kCommentEntry, at,
           "only " + std::string(count_word(comments_skipped_)) +
               " comment fields in a row are skipped: this " +
               std::string(ordinal_after(comments_skipped_)) + " one, " + quoted(field) +
               ", is read as a keyword field" + starts() +
               " (a blank line before it restarts the count)");
      quiet_line_ = at.line;
    } else if (after_comment && !is_blank(field)) {
      entry_from_comment_ = first_match != nullptr;
      warn(WarningId::kCutAtComma, at,
           "the comment on this line ends at the comma: " + quoted(field) +
               " is read as a keyword field" + starts());
      quiet_line_ = at.line;
    } else if (after_text && !is_blank(field)) {
      warn(WarningId::kCutAtComma, at,
           "the " + text_value_name_ + " ends at the comma before " + quoted(field) +
               ", which is read as a keyword field" + starts() +
               ": quote the text to keep the comma");
      quiet_line_ = at.line;
    }
    // The entries the field starts, in the grammar's order.
    const size_t first = next_entry_;
    while (next_entry_ < read_.entries.size() && read_.entries[next_entry_].keyword == keyword) {
      ++next_entry_;
    }
    for (size_t i = first; i < next_entry_; ++i) {
      // Entries that share a keyword field take their values one after another.
      last_of_field_ = i + 1 == next_entry_;
      if (!read_entry(read_.entries[i], field, at)) return false;
    }
    if (first == next_entry_) unmatched(field, section, at);
    return true;
  }

  void unmatched(const std::string& field, Section section, SourceLocation at) {
    if (is_blank(field) || is_header(field) || at.line == quiet_line_) return;
    quiet_line_ = at.line;
    for (const Entry& entry : grammar_entries()) {
      if (entry.section == section || entry.section == Section::kTrain ||
          section == Section::kTrain || !keyword_matches(entry, field)) {
        continue;
      }
      warn(WarningId::kWrongSection, at,
           quoted(field) + " is " + article(entry.title) + " entry, recognised only in the " +
               std::string(section_name(entry.section)) + ": skipped here");
      return;
    }
    for (const Entry& entry : grammar_entries()) {
      const bool train_entry = entry.section == Section::kTrain;
      if (train_entry == (section == Section::kTrain) || !keyword_matches(entry, field)) continue;
      warn(WarningId::kWrongSection, at,
           quoted(field) + " is " + article(entry.title) + " entry, which belongs in the " +
               (train_entry ? "train text" : "line text") + ": skipped here");
      return;
    }
    for (const Entry& entry : grammar_entries()) {
      if (entry.section != section || !keyword_matches_ignoring_case(entry, field)) continue;
      warn(WarningId::kKeywordCase, at,
           quoted(field) + " would start " + article(entry.title) +
               " entry but for letter case: its keyword is compared exactly (`" +
               std::string(entry.keyword) + "`); skipped");
      return;
    }
    if (is_number(field)) {
      warn(WarningId::kUnknownKeyword, at,
           "the value " + quoted(field) +
               " stands where a keyword is expected: skipped (one value too many before it?)");
      return;
    }
    std::vector<std::string_view> candidates;
    for (const Entry& entry : grammar_entries()) {
      if (entry.section != section) continue;
      candidates.push_back(entry.keyword);
      if (entry.id == EntryId::kCurve) candidates.push_back("curvas");
    }
    const std::string nearest = nearest_keyword(field, candidates);
    warn(WarningId::kUnknownKeyword, at,
         quoted(field) + " matches no entry and is skipped" +
             (nearest.empty() ? std::string() : "; did you mean `" + nearest + "`?"));
  }

  // ---- entries ----

  // False when reading failed.
  bool read_entry(const TextEntry& read, const std::string& field, SourceLocation at) {
    const Entry& entry = read.grammar();
    if (entry.id == EntryId::kCurve) check_curve_side(field, at);
    ++facts_.entries[static_cast<size_t>(entry.id)];
    if (entry.id == EntryId::kClock) clock_seen_ = true;
    if (entry.id == EntryId::kStation) station_seen_ = true;
    std::array<int64_t, kMostSlots> values{};
    bool shifted = false;
    // The values' own warnings, left out when the values shift: the shift
    // is what happened to them.
    std::vector<Diagnostic> value_warnings;
    std::vector<bool> of_a_word;  // each of them, about a field without a digit
    std::vector<Diagnostic>* const diagnostics = diagnostics_;
    int previous_line = at.line;
    for (size_t i = 0; i < entry.slots.size(); ++i) {
      const Slot& slot = entry.slots[i];
      diagnostics_ = diagnostics;
      if (i >= read.values) {
        diagnostics_->insert(diagnostics_->end(), value_warnings.begin(), value_warnings.end());
        return read_failed();
      }
      read_last_ = read.first_value + i;
      values[i] = read_.fields[read_last_].value;
      const SourceLocation value_at = here();
      const std::string_view token = this->token();
      const bool new_line = value_at.line > previous_line;
      previous_line = value_at.line;
      if (shifted) continue;
      const std::string intruder = intruding_field(entry, slot, new_line);
      if (!intruder.empty()) {
        if (!entry_from_comment_) {
          warn(WarningId::kValuesShifted, at,
               "the " + std::string(entry.title) + " entry at line " + std::to_string(at.line) +
                   " has " + values_count(i) + " before " + intruder + ": " +
                   expected_count(entry.slots.size()));
        }
        shifted = true;
        continue;
      }
      diagnostics_ = &value_warnings;
      if (slot.width == Width::kText) {
        text_value_line_ = value_at.line;
        text_value_name_ =
            std::string(entry.title) + "'s " + std::string(slot.name) + " " + quoted(token);
        continue;
      }
      check_number(entry, slot, token, value_at);
      of_a_word.resize(value_warnings.size(), !has_digit(token));
    }
    diagnostics_ = diagnostics;
    if (shifted) {
      // A word read as a number is the neighbour's value the shift brought
      // here; a number written wrong ("8:15:00") is the author's to hear of.
      for (size_t i = 0; i < value_warnings.size(); ++i) {
        if (!of_a_word[i]) diagnostics_->push_back(std::move(value_warnings[i]));
      }
      quiet_line_ = line();
      return true;
    }
    diagnostics_->insert(diagnostics_->end(), value_warnings.begin(), value_warnings.end());
    check_values_left_on_line(entry, at);
    if (entry.id == EntryId::kStation) {
      last_station_ = StationSeen{values[kPositionValue], values[station_value::kKind], at};
    }
    check_ranges(entry, values, at);
    const bool inside = check_position(entry, values, at);
    if (inside) check_refused(entry, field, values, at);
    if (inside) claim_cells(entry, values, at);
    check_order(entry, values, at);
    return true;
  }

  // The field the reader took last, as written up to its comma or line end.
  std::string written_field() const {
    const size_t start = read_.fields[read_last_].start;
    const size_t stop = text_.find_first_of(",\r\n", start);
    return trimmed(text_.substr(start, stop == std::string_view::npos ? stop : stop - start));
  }

  // What the value just read is, when it is not one of the entry's values
  // but the start of what follows it: a keyword field, a section header or a
  // comment ("the next entry `stazione` (line 25)").  Empty otherwise.  A
  // text value is taken as such only from the start of a line.
  std::string intruding_field(const Entry& entry, const Slot& slot, bool new_line) const {
    const std::string written = written_field();
    const std::string line = " (line " + std::to_string(this->line()) + ")";
    if (is_header(written)) return "the section header " + quoted(written) + line;
    if (new_line && looks_like_comment(written)) {
      return "the comment on line " + std::to_string(this->line()) +
             ", which is read as its values";
    }
    bool keyword = false;
    if (slot.width != Width::kText) {
      keyword = looks_like_keyword(written);
    } else if (new_line) {
      for (const Entry& other : grammar_entries()) {
        keyword = keyword || (other.section == entry.section && keyword_matches(other, written));
      }
    }
    return keyword ? "the next entry " + quoted(written) + line : std::string();
  }

  // An entry with a value too many on its line: the last value it takes is
  // not its own, and the field after it is read as a keyword field.
  void check_values_left_on_line(const Entry& entry, SourceLocation at) {
    // A sign apart from its digits has been said of already.
    if (entry_from_comment_ || !last_of_field_ || quiet_line_ == line()) return;
    const size_t from = read_.fields[read_last_].end;
    if (from == 0 || from > text_.size() || text_[from - 1] == '\n' || text_[from - 1] == '\r') {
      return;
    }
    size_t stop = text_.find_first_of("\r\n", from);
    if (stop == std::string_view::npos) stop = text_.size();
    std::vector<std::string> left;
    for (size_t begin = from; begin <= stop;) {
      size_t comma = text_.find(',', begin);
      if (comma == std::string_view::npos || comma > stop) comma = stop;
      const std::string field = trimmed(text_.substr(begin, comma - begin));
      if (!field.empty()) left.push_back(field);
      begin = comma + 1;
    }
    if (left.empty()) return;
    const Slot& last = entry.slots.back();
    const std::string_view token = this->token();
    const bool text_took_number = last.width == Width::kText && is_number(token);
    if (!text_took_number && !is_number(left.front())) return;
    std::string message = "the " + std::string(entry.title) + " entry at line " +
                          std::to_string(at.line) + " has " +
                          values_count(entry.slots.size() + left.size()) + ": " +
                          expected_count(entry.slots.size()) + ", so ";
    if (text_took_number) {
      message += "its " + std::string(last.name) + " reads " + quoted(token) + " and ";
    }
    message += quoted(left.front()) + " is read as a keyword field";
    warn(WarningId::kValuesShifted, at, message);
    quiet_line_ = line();
    text_value_line_ = 0;
  }

  // What the compile refuses whatever the state: found here for every entry,
  // where the compile stops at the first.
  void check_refused(const Entry& entry, const std::string& field,
                     const std::array<int64_t, kMostSlots>& values, SourceLocation at) {
    const std::span<const Slot> slots = entry.slots;
    const auto off_step = [&](size_t i) { return values[i] % slots[i].step != 0; };
    const auto step = [&](size_t i) { return metres(slots[i].step); };
    switch (entry.id) {
      case EntryId::kRouteLength: {
        using route_length_value::kLength;
        if (values[kLength] < slots[kLength].low || values[kLength] > slots[kLength].high) {
          return error(kRouteLengthRefused, at,
                       "the route length " + metres(values[kLength]) + " is outside " +
                           std::to_string(slots[kLength].low) + " to " +
                           metres(slots[kLength].high));
        }
        facts_.route_length = static_cast<int32_t>(values[kLength]);
        return;
      }
      case EntryId::kChainageOne:
      case EntryId::kChainageTwo:
      case EntryId::kChainageThree:
        if (off_step(chainage_value::kStart) || off_step(chainage_value::kKilometre)) {
          return error(kChainageNotMultiple, at,
                       "the " + std::string(entry.title) + " starts at " +
                           metres(values[chainage_value::kStart]) + " and reads " +
                           metres(values[chainage_value::kKilometre]) +
                           " there: both must be multiples of " + step(chainage_value::kStart));
        }
        return;
      case EntryId::kCabSignalling:
        if (off_step(cab_signalling_value::kStart)) {
          return error(kCabStartNotMultiple, at,
                       "the cab-signalling start " + metres(values[cab_signalling_value::kStart]) +
                           " is not a multiple of " + step(cab_signalling_value::kStart));
        }
        if (off_step(cab_signalling_value::kEnd)) {
          return error(kCabEndNotMultiple, at,
                       "the cab-signalling end " + metres(values[cab_signalling_value::kEnd]) +
                           " is not a multiple of " + step(cab_signalling_value::kEnd));
        }
        if (!contains(field, "4") && !contains(field, "9")) {
          return error(
              kCabCodesMissing, at,
              "the cab-signalling keyword field " + quoted(field) + " names neither 4 nor 9 codes");
        }
        return;
      case EntryId::kCurve:
        if (field.find_first_of("123456") == std::string::npos) {
          return error(kCurveRefused, at,
                       "the curve keyword " + quoted(field) +
                           " holds no class digit 1 to 6 (curvad5: right-hand, class 5)");
        }
        return;
      case EntryId::kSpeedLimit: {
        using speed_limit_value::kSpeed;
        if (values[kSpeed] < slots[kSpeed].low || values[kSpeed] > slots[kSpeed].high) {
          return error(kReadFailed, at,
                       "the speed " + std::to_string(values[kSpeed]) +
                           " km/h divided by 5 does not fit a byte (0 to 255): speeds lie in 0 "
                           "to " +
                           std::to_string(slots[kSpeed].high) + " km/h");
        }
        return;
      }
      case EntryId::kStation:
        if (off_step(kPositionValue)) {
          return error(kStationPositionNotMultiple, at,
                       "the station at " + metres(values[kPositionValue]) +
                           " does not stand at a multiple of " + step(kPositionValue));
        }
        if (off_step(station_value::kLength)) {
          return error(kStationLengthNotMultiple, at,
                       "the station at " + metres(values[kPositionValue]) + " has a length of " +
                           metres(values[station_value::kLength]) + ", not a multiple of " +
                           step(station_value::kLength));
        }
        return;
      default: return;
    }
  }

  void check_number(const Entry& entry, const Slot& slot, std::string_view token,
                    SourceLocation at) {
    if (token.empty()) return;
    int64_t value = 0;
    bool overflow = false;
    const auto what = [&] {
      return "the " + std::string(entry.title) + "'s " + std::string(slot.name);
    };
    if (!parse_number_token(token, &value, &overflow)) {
      if (overflow) return;
      if (entry.id == EntryId::kRouteLength) {
        facts_.route_length_unread = true;
        warn(WarningId::kRouteLengthNotANumber, at,
             "the route length " + quoted(token) +
                 " is not a whole number: it reads 0, which makes a route of 0 m");
        return;
      }
      warn(WarningId::kNotANumber, at,
           what() + " " + quoted(token) + " is not a whole number: it reads 0");
      // A sign apart from its digits leaves them to be read as the next field.
      if (token == "-" || token == "+") quiet_line_ = at.line;
      return;
    }
    if (contains(token, ".")) {
      warn(WarningId::kFraction, at,
           what() + " " + quoted(token) + " has a fraction: it is rounded to " +
               std::to_string(value));
    }
  }

  void check_curve_side(const std::string& field, SourceLocation at) {
    const std::string lower = cp1252_lower(field);
    if (check_curve_hand(field, lower, at)) return;
    if (contains(lower, "s") || contains(lower, "d")) return;
    warn(WarningId::kCurveSide, at,
         "the curve keyword " + quoted(field) +
             " names no side (curvas: left, curvad: right): it is read as a right-hand curve");
  }

  // An s anywhere makes a curve left-handed: words that name the other hand
  // do not make it so.
  // True when it warned.
  bool check_curve_hand(const std::string& field, const std::string& lower, SourceLocation at) {
    const bool left = contains(lower, "s");
    static constexpr std::string_view kRightWords[] = {"destra", "right", "dx"};
    static constexpr std::string_view kLeftWords[] = {"left", "manca"};
    std::string_view word;
    for (std::string_view w : left ? std::span<const std::string_view>(kRightWords)
                                   : std::span<const std::string_view>(kLeftWords)) {
      if (word.empty() && contains(lower, w)) word = w;
    }
    if (word.empty()) return false;
    std::string meant = left ? "curvad" : "curvas";
    for (char digit = '1'; digit <= '6'; ++digit) {
      if (field.find(digit) == std::string::npos) continue;
      meant += digit;  // the class: the lowest digit 1 to 6 it holds
      break;
    }
    warn(WarningId::kCurveHand, at,
         "the curve keyword " + quoted(field) + " is read as a " +
             (left ? "left-hand curve: an `s` anywhere makes a curve left-handed, and `" +
                         std::string(word) + "` has one"
                   : "right-hand curve: only an `s` makes a curve left-handed, and `" +
                         std::string(word) + "` has none") +
             "; write `" + meant + "` for a " + (left ? "right" : "left") + "-hand curve");
    return true;
  }

  void check_ranges(const Entry& entry, const std::array<int64_t, kMostSlots>& values,
                    SourceLocation at) {
    for (size_t i = 0; i < entry.slots.size(); ++i) {
      const Slot& slot = entry.slots[i];
      const int64_t v = values[i];
      if (slot.width == Width::kText || slot.beyond != Beyond::kStored) {
        if (slot.step != 0 && !slot.stored.empty() && v % slot.step != 0) {
          const int64_t fifth = round_div(static_cast<int32_t>(v), static_cast<int32_t>(slot.step));
          warn(WarningId::kRange, at,
               "the " + std::string(entry.title) + "'s " + std::string(slot.name) + " " +
                   std::to_string(v) + " " + std::string(slot.unit) + " is not a multiple of " +
                   std::to_string(slot.step) + ": " + std::string(slot.stored) + " (" +
                   std::to_string(fifth * slot.step) + " " + std::string(slot.unit) + ")");
        }
        continue;
      }
      const bool inside = (v >= slot.low && v <= slot.high) || (slot.zero_allowed && v == 0);
      const auto what = [&] {
        return "the " + std::string(entry.title) + "'s " + std::string(slot.name) + " " +
               std::to_string(v);
      };
      if (!inside) {
        std::string range = std::to_string(slot.low) + " to " + std::to_string(slot.high);
        if (slot.high == INT32_MAX) range = "at least " + std::to_string(slot.low);
        if (slot.low == INT32_MIN) range = "at most " + std::to_string(slot.high);
        if (slot.zero_allowed) range.insert(0, "0 or ");
        const std::optional<int64_t> wrapped = wrapped_value(slot, v);
        if (wrapped) {
          warn(WarningId::kWrapped, at,
               what() + " lies outside " + range + " and wraps into " + std::to_string(*wrapped) +
                   ": " + std::string(slot.stored));
          continue;
        }
        std::string message = what() + " lies outside " + range + ": ";
        message.append(slot.stored);
        message += stored_value(slot, v);
        warn(WarningId::kRange, at, message);
      } else if (slot.step != 0 && v % slot.step != 0) {
        warn(WarningId::kRange, at,
             what() + " is not a multiple of " + std::to_string(slot.step) + ": " +
                 std::string(slot.stored));
      }
    }
  }

  // The cells the compile marks for the entry, when it takes it, and the
  // refusals of a cell that an earlier entry holds: the compile stops at the
  // first, the checks find every one and name the entry that holds the cell.
  void claim_cells(const Entry& entry, const std::array<int64_t, kMostSlots>& values,
                   SourceLocation at) {
    const int64_t p = values[kPositionValue];
    const std::string title(entry.title);
    // False, with the error, when `cell` is held.
    const auto free = [&](int64_t cell, ErrorCode code, const std::string& needs) {
      const auto held = holders_.find(cell);
      if (held == holders_.end()) return true;
      const Placement& holder = facts_.placements[held->second];
      error(code, at,
            "the " + title + " at " + metres(p) + " needs " + needs + "cell " +
                std::to_string(cell) + " at " + metres(cell_start(cell)) +
                ", which already holds " + holder.what(),
            holder.location);
      return false;
    };
    const auto claim = [&](int64_t cell, std::string_view part) {
      holders_[cell] = facts_.placements.size();
      facts_.placements.push_back({cell, entry.title, p, part, at});
    };
    switch (entry.id) {
      case EntryId::kSpeedBoard:
      case EntryId::kIndicationBoard:
      case EntryId::kSignal: {
        const ErrorCode code = entry.id == EntryId::kSpeedBoard ? kSpeedBoardTaken
                               : entry.id == EntryId::kSignal   ? kSignalTaken
                                                                : kIndicationBoardTaken;
        const int64_t cell = object_cell(static_cast<double>(p));
        if (free(cell, code, "")) claim(cell, "");
        return;
      }
      case EntryId::kCodePoint: {
        const int64_t cell = cell_of(static_cast<double>(p));
        if (free(cell, kCodePointTaken, "")) claim(cell, "");
        return;
      }
      case EntryId::kSlowdown: return claim_slowdown(values, free, claim);
      case EntryId::kStation: return claim_station(values, at, claim);
      default: return;
    }
  }

  template <typename Free, typename Claim>
  void claim_slowdown(const std::array<int64_t, kMostSlots>& values, const Free& free,
                      const Claim& claim) {
    const SlowdownCells cells = slowdown_cells(static_cast<double>(values[kPositionValue]),
                                               static_cast<double>(values[slowdown_value::kLength]),
                                               values[slowdown_value::kWarningLeadIn] != 0);
    const int64_t start = cells.start;
    const int64_t end = cells.end;
    const bool warned = cells.warning >= 0;
    const int64_t warning = cells.warning;
    if (warned && !free(warning, kSlowdownWarningTaken, "its warning ")) return;
    if (!free(start, kSlowdownStartTaken, "its start ")) return;
    if (!free(end, kSlowdownEndTaken, "its end ")) return;
    claim(end, "its end");
    claim(start, "its start");
    if (!warned) return;
    claim(warning, "its warning cell");
    if (cells.lead_in < 0) return;
    const int64_t nearest = cells.lead_in;
    for (int i = 0; i < kWarningLeadInCells; ++i) {
      if (!free(nearest - i, kSlowdownLeadInTaken, "a warning lead-in ")) return;
    }
    for (int i = 0; i < kWarningLeadInCells; ++i) claim(nearest - i, "a warning lead-in cell");
  }

  // A station's stop cell is written whatever it held; its area must begin
  // 350 m after the previous station's ends.
  template <typename Claim>
  void claim_station(const std::array<int64_t, kMostSlots>& values, SourceLocation at,
                     const Claim& claim) {
    const int64_t p = values[kPositionValue];
    const int64_t kind = values[station_value::kKind];
    const int64_t length = values[station_value::kLength];
    const StationArea area =
        station_area(p, kind, length, /*extended=*/values[station_value::kExtend] != 0);
    const int64_t first = area.start;
    const int64_t last = area.end;
    if (kind < kUnmarkedStationKind) {
      const double stop_at = area_end_cell_at(static_cast<double>(last));
      if (stop_at <= 1) {
        error(kStationAtLineStart, at,
              "the station at " + metres(p) + " ends at " + metres(last) + ", within " +
                  metres(kStationStartMargin) +
                  " of the start of the line: its stop cell would be cell " +
                  std::to_string(area_end_cell(static_cast<double>(last))));
        return;
      }
      claim(area_end_cell(static_cast<double>(last)), "its stop cell");
    }
    if (previous_station_ && first - kStationSpacing < previous_station_->end) {
      const Seen& before = *previous_station_;
      error(kStationsTooClose, at,
            "the station at " + metres(p) + " (its area " + metres(first) + " to " + metres(last) +
                ") " +
                (p < before.position ? "stands before"
                                     : "begins less than " + metres(kStationSpacing) + " after") +
                " the area of the station at " + metres(before.position) + ", which ends at " +
                metres(before.end) + ": station areas stand in order, " + metres(kStationSpacing) +
                " apart",
            SourceLocation{which_, before.line, 1});
    }
    previous_station_ = Seen{true, p, last, at.line};
  }

  // The position check the compile makes: beyond it the compile refuses the
  // entry (and reads no further in its text); before it and beyond the
  // route length the entry is taken silently.  False when refused.
  bool check_position(const Entry& entry, const std::array<int64_t, kMostSlots>& values,
                      SourceLocation at) {
    if (entry.reach <= 0 || !facts_.route_length) return true;
    const int64_t length = *facts_.route_length;
    const int64_t last_cell = last_cell_for_route(length);
    const int64_t position = values[kPositionValue];
    const std::string title(entry.title);
    const int64_t mountain_end = values[mountain_value::kEnd];
    int64_t end = position;
    if (entry.id == EntryId::kMountain) end = std::max(position, mountain_end);
    const bool fits = reach_fits(static_cast<double>(position), entry.reach, last_cell) &&
                      (entry.id != EntryId::kMountain || mountain_end < position ||
                       area_end_cell(static_cast<double>(mountain_end)) <= last_cell);
    if (!fits) {
      error(kOutsideTheLine, at,
            "the " + title + " at " + metres(end) + " lies outside the line: " +
                (entry.id == EntryId::kMountain ? std::string("its cells")
                                                : "an entry's position + " + metres(entry.reach)) +
                " must lie within the cells, which end at " + metres(cell_start(last_cell)) +
                ", cell " + std::to_string(last_cell) + " (route length " + metres(length) + ")" +
                rest_not_compiled());
      return false;
    }
    if (entry.id == EntryId::kSignal &&
        object_cell(static_cast<double>(position)) < 2 * kApproachMarks) {
      error(kOutsideTheLine, at,
            "the signal at " + metres(position) +
                " stands too near the start of the line: its approach marks take the 8 cells "
                "before its own, so a signal stands at 325 m or beyond" +
                rest_not_compiled());
      return false;
    }
    if (end > length && facts_.route_length_unread) {
      ++beyond_folded_;
    } else if (end > length) {
      warn(WarningId::kBeyondRoute, at,
           "the " + title + " at " + metres(end) + " lies beyond the end of the route (" +
               metres(length) + "), where the cells still take it");
    }
    return true;
  }

  // The compile reads no further in a text after its first entry outside
  // the line.
  std::string rest_not_compiled() {
    if (outside_seen_) return {};
    outside_seen_ = true;
    return "; the compile reads no further in this text";
  }

  void check_order(const Entry& entry, const std::array<int64_t, kMostSlots>& values,
                   SourceLocation at) {
    const int64_t position = values[kPositionValue];
    const std::string title(entry.title);
    switch (entry.id) {
      case EntryId::kCurve: {
        const int64_t end = position + values[curve_value::kLength];
        if (curve_.any && position < curve_.end) {
          warn(WarningId::kOrder, at,
               "the curve at " + metres(position) + " starts before the previous curve (line " +
                   std::to_string(curve_.line) + ") ends at " + metres(curve_.end) +
                   ": it is bent from there on");
        }
        curve_ = {true, position, std::max(end, curve_.end), at.line};
        return;
      }
      case EntryId::kMountain:
        if (values[mountain_value::kEnd] < position) {
          warn(WarningId::kOrder, at,
               "the mountain stretch from " + metres(position) + " ends before it begins, at " +
                   metres(values[mountain_value::kEnd]) + ": it marks no cell");
        } else if (mountain_.any && position < mountain_.position) {
          warn(WarningId::kOrder, at,
               "the mountain stretch at " + metres(position) +
                   " stands before the previous one (line " + std::to_string(mountain_.line) +
                   ", " + metres(mountain_.position) + "): stretches stand in order of start");
        }
        mountain_ = {true, position, values[mountain_value::kEnd], at.line};
        return;
      case EntryId::kGradient: return gradient_in_order(values, at);
      case EntryId::kSpeedLimit:
        return in_order(speed_, title, position, at, ", it writes a single cell");
      case EntryId::kAdhesion:
        return in_order(adhesion_, title, position, at, ", it writes a single cell");
      default: return;
    }
  }

  // The cursor the compile spreads gradients with: each change fills the
  // cells up to its own with the gradient in force, and at least one.
  void gradient_in_order(const std::array<int64_t, kMostSlots>& values, SourceLocation at) {
    const int64_t position = values[kPositionValue];
    const int64_t cell = cell_of(static_cast<double>(position));
    const int64_t last = facts_.route_length ? last_cell_for_route(*facts_.route_length)
                                             : std::numeric_limits<int64_t>::max();
    if (cell > 0) {
      const int64_t written = gradient_cell_;
      const bool behind = gradient_.any && cell <= gradient_cell_;
      do {
        if (gradient_cell_ <= last) ++gradient_cell_;
      } while (gradient_cell_ < cell && gradient_cell_ <= last);
      if (behind) {
        warn(WarningId::kGradientOrder, at,
             "the gradient change at " + metres(position) +
                 " stands behind the cells already filled (the previous one, line " +
                 std::to_string(gradient_.line) + ", " + metres(gradient_.position) +
                 ", filled them up to cell " + std::to_string(written - 1) +
                 "): it writes the single cell " + std::to_string(written) + " with the gradient " +
                 std::to_string(gradient_in_force_) + " in force, and its own gradient " +
                 std::to_string(values[gradient_value::kGradient]) + " holds from cell " +
                 std::to_string(gradient_cell_) + " (" + metres(cell_start(gradient_cell_)) +
                 ") on");
      }
    }
    gradient_in_force_ = values[gradient_value::kGradient];
    gradient_ = {true, position, position, at.line};
  }

  void in_order(Seen& seen, const std::string& title, int64_t position, SourceLocation at,
                const std::string& effect) {
    if (seen.any && position < seen.position) {
      warn(WarningId::kOrder, at,
           "the " + title + " at " + metres(position) + " stands before the previous one (line " +
               std::to_string(seen.line) + ", " + metres(seen.position) + "): out of order" +
               effect);
    }
    seen = {true, position, position, at.line};
  }

  // ---- reporting ----

  // Where the field read last stands, and what the reader took of it.
  SourceLocation here() const { return read_.location(read_.fields[read_last_]); }
  int line() const { return read_.fields[read_last_].line; }
  std::string_view token() const { return read_.token(read_.fields[read_last_]); }

  void error(ErrorCode code, SourceLocation at, std::string message,
             std::optional<SourceLocation> related = std::nullopt) {
    Diagnostic diagnostic;
    diagnostic.related = related;
    diagnostic.severity = Diagnostic::Severity::kError;
    diagnostic.location = at;
    diagnostic.code = code;
    diagnostic.message = std::move(message);
    diagnostics_->push_back(std::move(diagnostic));
  }

  void warn(WarningId id, SourceLocation at, std::string message) {
    diagnostics_->push_back(make_warning(id, at, std::move(message)));
  }

  std::string_view text_;
  TextEntries read_;
  size_t read_last_ = 0;   // the field read last
  size_t next_entry_ = 0;  // the first entry not examined yet
  SourceLocation::Text which_;
  std::vector<Diagnostic>* diagnostics_;
  LineFacts facts_;
  int quiet_line_ = 0;
  // Comment fields skipped before the keyword field now examined, when that
  // field holds a dash too (it is then a comment read as a keyword field).
  int comments_skipped_ = 0;
  bool entry_from_comment_ = false;
  // The entry read is the last that its keyword field starts.
  bool last_of_field_ = true;
  int text_value_line_ = 0;
  std::string text_value_name_;
  bool outside_seen_ = false;
  bool reading_failed_ = false;
  bool clock_seen_ = false;
  bool station_seen_ = false;
  Seen curve_;
  Seen mountain_;
  std::optional<Seen> previous_station_;
  // The cell each claimed cell's current holder, an index into the
  // placements.
  std::unordered_map<int64_t, size_t> holders_;
  Seen speed_;
  Seen adhesion_;
  Seen gradient_;
  int64_t gradient_cell_ = 0;  // the next cell the gradient cursor writes
  int64_t gradient_in_force_ = 0;
  std::optional<StationSeen> last_station_;
  int beyond_folded_ = 0;
};

}  // namespace

LineFacts check_line_text(std::string_view text, std::vector<Diagnostic>* diagnostics) {
  return TextChecker(text, SourceLocation::Text::kLine, diagnostics).check_line();
}

std::string Placement::what() const {
  std::string text = "the " + std::string(title) + " at " + metres(position);
  if (!part.empty()) text += " (" + std::string(part) + ")";
  return text;
}

const Placement* holder_of(int64_t cell, SourceLocation before, const LineFacts& line,
                           const LineFacts& train) {
  const auto earlier = [](SourceLocation a, SourceLocation b) {
    const int text_a = a.text == SourceLocation::Text::kTrain ? 1 : 0;
    const int text_b = b.text == SourceLocation::Text::kTrain ? 1 : 0;
    return std::make_tuple(text_a, a.line, a.column) < std::make_tuple(text_b, b.line, b.column);
  };
  const Placement* holder = nullptr;
  for (const LineFacts* facts : {&line, &train}) {
    for (const Placement& placement : facts->placements) {
      if (placement.cell == cell && earlier(placement.location, before)) holder = &placement;
    }
  }
  return holder;
}

TrainFacts check_train_text(std::string_view text, const LineFacts& line,
                            std::vector<Diagnostic>* diagnostics) {
  return TextChecker(text, SourceLocation::Text::kTrain, diagnostics).check_train(line);
}

}  // namespace sb
