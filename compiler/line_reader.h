#ifndef SCENARIO_BUILDER_COMPILER_LINE_READER_H_
#define SCENARIO_BUILDER_COMPILER_LINE_READER_H_

#include <cstdint>
#include <string_view>

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
};

// Compiles a line text, held whole in memory, into `state`: records 81 to
// 86, board texts from record 80 down, the track cells and (with the trace
// flag) the line trace.  Failures set state.error_code, error_position and
// error_location; a read failure also sets error_detail.
LineTextResult compile_line_text(BuildState& state, std::string_view text);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_LINE_READER_H_
