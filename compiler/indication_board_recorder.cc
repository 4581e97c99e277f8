#include "compiler/indication_board_recorder.h"

#include <utility>

#include "format/cell_geometry.h"
#include "model/error_codes.h"

namespace sb {

bool record_indication_board(BuildState& state, int32_t position, std::string text,
                             int32_t& next_record, Finding* refusal) {
  const int64_t c = object_cell(position);
  if (!state.cell_exists(c)) return refuse(refusal, outside_the_line(state));
  TrackCell& cell = state.cell(static_cast<int32_t>(c));
  if (!is_free(cell)) return refuse(refusal, cell_taken(kIndicationBoardTaken, state, c));
  if (next_record < kFirstStationRecord) return refuse(refusal, failure_of(kBoardRecordsFull));
  cell.kind = kIndicationBoardCell;
  cell.value_1 = static_cast<int16_t>(next_record);
  state.record(next_record).text = std::move(text);
  --next_record;
  return true;
}

}  // namespace sb
