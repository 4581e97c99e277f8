#ifndef SCENARIO_BUILDER_COMPILER_TEXT_WALK_H_
#define SCENARIO_BUILDER_COMPILER_TEXT_WALK_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/entry_walk.h"
#include "frontend/field_reader.h"
#include "compiler/finding.h"
#include "format/cell_geometry.h"
#include "model/build_state.h"
#include "model/source_location.h"

namespace sb {

// How reading goes on after an entry.
enum class Flow {
  kNext,         // read on
  kEnd,          // an entry lay outside the line: reading ends as at the end of the text
  kStop,         // a failure ends the compilation at once
  kReadFailure,  // a read failure has been recorded (25)
};

// What the line text and the train text reader share: the field reader over
// the text, the keyword field of the entry being read, the position check,
// and the failures, each placed where it belongs and appended to
// `findings`.  The helpers return the flow their failure leads to.
class TextWalk {
 public:
  TextWalk(SourceLocation::Text text, std::string_view source, const BuildState& state,
           Findings& findings)
      : text_(text), reader_(source), state_(state), findings_(findings) {}

  FieldReader& reader() { return reader_; }

  // Reads the values in order: kNext, or at the first that fails
  // read_failure().
  template <typename... Values>
  Flow read_all(Values*... values) {
    return (read_one(values) && ...) ? Flow::kNext : read_failure();
  }

  // Hands each keyword field of the rest of the text to `entry` (through
  // *field, noted as the keyword) until `entry` answers other than kNext:
  // that answer, a read failure, or kEnd at the end of the text.
  template <typename Entry>
  Flow each_entry(std::string* field, Entry entry) {
    while (true) {
      switch (next_keyword_field(reader_, field)) {
        case WalkStep::kReadFailure: return read_failure();
        case WalkStep::kStop: return Flow::kEnd;
        case WalkStep::kField: break;
      }
      note_keyword();
      if (const Flow flow = entry(); flow != Flow::kNext) return flow;
    }
  }

  // Where the reader stands, and the keyword field noted last.
  SourceLocation here() const { return {text_, reader_.line(), reader_.column()}; }
  const SourceLocation& keyword() const { return keyword_; }
  // Notes where the reader stands as the keyword field of the entry read next.
  void note_keyword() { keyword_ = here(); }

  // The position check: an entry at `position` whose cells reach `reach`
  // metres beyond it must not pass the line's last cell.
  bool fits(int32_t position, int32_t reach = kEntryReach) const {
    return reach_fits(position, reach, state_.cell_last_index);
  }

  // A read failure where the reader stands, with its reason: kReadFailure.
  Flow read_failure() { return fail(reader_.failure(), here()); }
  // A read failure at `location` saying `detail`: kReadFailure.
  Flow fail(std::string detail, SourceLocation location);
  // The entry refused: `finding` placed at its keyword with its position:
  // kStop.
  Flow refuse(Finding finding, int32_t position);
  // A failure of `code` at the keyword: with no position (and `value` as the
  // number it names), or with the entry's position: kStop.
  Flow stop(int32_t code, int64_t value = 0);
  Flow stop_at(int32_t code, int32_t position) { return refuse(failure_of(code), position); }
  // The entry refused as lying outside the line: kEnd.
  Flow end_outside_the_line(int32_t position);
  // True once end_outside_the_line() has been called.
  bool ended_outside_the_line() const { return ended_outside_the_line_; }

 private:
  bool read_one(int32_t* value) { return reader_.read_long(value); }
  bool read_one(int16_t* value) { return reader_.read_short(value); }
  bool read_one(uint8_t* value) { return reader_.read_byte(value); }
  bool read_one(std::string* text) { return reader_.read_text(text); }

  const SourceLocation::Text text_;
  FieldReader reader_;
  const BuildState& state_;
  Findings& findings_;
  SourceLocation keyword_;
  bool ended_outside_the_line_ = false;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_TEXT_WALK_H_
