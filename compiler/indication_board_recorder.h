#ifndef SCENARIO_BUILDER_COMPILER_INDICATION_BOARD_RECORDER_H_
#define SCENARIO_BUILDER_COMPILER_INDICATION_BOARD_RECORDER_H_

#include <cstdint>
#include <string>

#include "compiler/finding.h"
#include "model/build_state.h"

namespace sb {

// Places an indication board in cell round(position / 50 + 1) (kind 14):
// the cell's value_1 names the board record `next_record`, which takes
// `text`; `next_record` is then counted down, board records filling from
// record 80 towards the stations below.
//
// True when recorded.  Otherwise false with `*refusal` set, having written
// and counted nothing: 15 when the cell does not exist, 6 when it is not
// free, 104 when no board record is left (`next_record` below the first
// station record).
bool record_indication_board(BuildState& state, int32_t position, std::string text,
                             int32_t& next_record, Finding* refusal);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_INDICATION_BOARD_RECORDER_H_
