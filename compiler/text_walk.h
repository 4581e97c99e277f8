#ifndef SCENARIO_BUILDER_COMPILER_TEXT_WALK_H_
#define SCENARIO_BUILDER_COMPILER_TEXT_WALK_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/finding.h"
#include "compiler/flow.h"
#include "format/cell_geometry.h"
#include "frontend/text_entries.h"
#include "model/build_state.h"
#include "model/source_location.h"

namespace sb {

// What the line text and the train text reader share: the text read into
// its entries by the front end, the entry being compiled and its values,
// the position check, and the failures, each placed where it belongs and
// appended to `findings`.  The helpers return the flow their failure leads
// to.
class TextWalk {
 public:
  TextWalk(SourceLocation::Text text, std::string_view source, const BuildState& state,
           Findings& findings, ReadOptions options = {})
      : entries_(read_text_entries(source, text, options)), state_(state), findings_(findings) {}

  const TextEntries& entries() const { return entries_; }

  // Reads the entry's values in order: kNext, or at the first that the text
  // does not hold read_failure().
  template <typename... Values>
  Flow read_all(Values*... values) {
    return (read_one(values) && ...) ? Flow::kNext : read_failure();
  }

  // Hands the entries [begin, end) to `compile` in turn, each one noted as
  // the entry being read, until `compile` answers other than kNext: that
  // answer, or kNext after the last.
  template <typename Compile>
  Flow each_entry(size_t begin, size_t end, Compile compile) {
    for (size_t i = begin; i < end; ++i) {
      begin_entry(entries_.entries[i]);
      if (const Flow flow = compile(entries_.entries[i]); flow != Flow::kNext) return flow;
    }
    return Flow::kNext;
  }

  // Notes `field` as the keyword field of the entry read next.
  void note_keyword(const TextField& field) { keyword_ = here_ = entries_.location(field); }

  // The value read last (the keyword field before the first), and the
  // keyword field of the entry being read.
  const SourceLocation& here() const { return here_; }
  const SourceLocation& keyword() const { return keyword_; }

  // The position check: an entry at `position` whose cells reach `reach`
  // metres beyond it must not pass the line's last cell.
  bool fits(int32_t position, int32_t reach = kEntryReach) const {
    return reach_fits(position, reach, state_.cell_last_index);
  }

  // The text's read failure, where the reader stood: kReadFailure.
  Flow read_failure() {
    return fail(entries_.failure.cause, entries_.failure.why,
                {entries_.which, entries_.failure.line, entries_.failure.column});
  }
  // A read failure of `cause` at `location` saying `detail`: kReadFailure.
  Flow fail(ReadCause cause, std::string detail, SourceLocation location);
  // The entry refused: `finding` placed at its keyword with its position:
  // kStop.
  Flow refuse(Finding finding, int32_t position);
  // A failure of `code` at the keyword: with no position (and `value` as the
  // number it names), or with the entry's position: kStop.
  Flow stop(ErrorCode code, int64_t value = 0);
  Flow stop_at(ErrorCode code, int32_t position) { return refuse(failure_of(code), position); }
  // The entry refused as lying outside the line: kEnd.
  Flow end_outside_the_line(int32_t position);

 private:
  void begin_entry(const TextEntry& entry);
  // The entry's next value; null when the text ended or failed first.
  const TextField* next_value();
  template <typename Number>
  bool read_one(Number* value) {
    const TextField* field = next_value();
    if (field != nullptr) *value = static_cast<Number>(field->value);
    return field != nullptr;
  }
  bool read_one(std::string* text) {
    const TextField* field = next_value();
    if (field != nullptr) text->assign(entries_.token(*field));
    return field != nullptr;
  }

  const TextEntries entries_;
  const BuildState& state_;
  Findings& findings_;
  const TextEntry* entry_ = nullptr;
  uint32_t next_value_ = 0;
  SourceLocation keyword_;
  SourceLocation here_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_TEXT_WALK_H_
