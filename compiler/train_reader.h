#ifndef SCENARIO_BUILDER_COMPILER_TRAIN_READER_H_
#define SCENARIO_BUILDER_COMPILER_TRAIN_READER_H_

#include <cstdint>
#include <string_view>

#include "compiler/line_reader.h"
#include "model/build_state.h"

namespace sb {

// Compiles a train text, held whole in memory, into `state`, whose track
// cells the line text has sized and filled; `line` is what the line text
// left: its next board record bounds the stations, and after a failed
// position check there the reading stops at the first signal or slowdown
// recorded.  Failures are appended to `findings`.
//
// kNext when the text was read to its end, kEnd when to an entry that lies
// outside the line (15): the speed and adhesion profiles are then run on to
// the end of the line and the chainages checked (2).  kStop after any other
// failure, with nothing more written; kReadFailure for error 25.
Flow compile_train_text(BuildState& state, std::string_view text, const LineTextResult& line,
                        Findings& findings);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_TRAIN_READER_H_
