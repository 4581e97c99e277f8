#ifndef SCENARIO_BUILDER_COMPILER_LINE_READER_H_
#define SCENARIO_BUILDER_COMPILER_LINE_READER_H_

#include <cstdint>
#include <string_view>

#include "compiler/finding.h"
#include "compiler/flow.h"
#include "model/build_state.h"

namespace sb {

struct LineTextResult {
  // How the reading ended: kNext at the text's end; kEnd at a failed
  // position check (15), to which the train text reacts: it stops after the
  // first signal or slowdown it records; kStop after any other failure;
  // kReadFailure for error 25.
  Flow flow = Flow::kNext;
  // The next free record from the top for indication boards (80 when the
  // text stored none); the stations of the train text stop there.
  int32_t next_board_record = kTopBoardRecord;
};

// Compiles a line text, held whole in memory, into `state`: records 81 to
// 86, board texts from record 80 down, the track cells and (with the trace
// flag) the line trace.  Failures are appended to `findings`.
LineTextResult compile_line_text(BuildState& state, std::string_view text, Findings& findings);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_LINE_READER_H_
