#ifndef SCENARIO_BUILDER_COMPILER_LINE_READER_H_
#define SCENARIO_BUILDER_COMPILER_LINE_READER_H_

#include <cstdint>
#include <string_view>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

enum class TextOutcome {
  kDone,         // read to its end (or to a failed position check, 15)
  kStopped,      // a failure ended the compilation: the next text is not read
  kReadFailure,  // reading failed: error 25
};

struct LineTextResult {
  TextOutcome outcome = TextOutcome::kDone;
  // The next free record from the top for indication boards (80 when the
  // text stored none); the stations of the train text stop there.
  int32_t next_board_record = kTopBoardRecord;
  // A failed position check (15) ended the body early.  The train text reacts
  // to it: it stops after the first signal or slowdown it records.
  bool ended_outside_the_line = false;
};

// Compiles a line text, held whole in memory, into `state`: records 81 to
// 86, board texts from record 80 down, the track cells and (with the trace
// flag) the line trace.  Failures are appended to `findings`.
LineTextResult compile_line_text(BuildState& state, std::string_view text, Findings& findings);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_LINE_READER_H_
