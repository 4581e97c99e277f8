#include "compiler/indication_board_recorder.h"

#include <utility>

#include "format/cell_geometry.h"
#include "model/error_codes.h"

namespace sb {

std::optional<Finding> record_indication_board(BuildState& state, int32_t position,
                                               std::string text, int32_t& next_record) {
  const int64_t c = object_cell(position);
  if (!state.cell_exists(c)) return outside_the_line(state);
  TrackCell& cell = state.cell(static_cast<int32_t>(c));
  if (!is_free(cell)) return cell_taken(kIndicationBoardTaken, state, c);
  if (next_record < kFirstStationRecord) return failure_of(kBoardRecordsFull);
  cell.kind = kIndicationBoardCell;
  cell.value_1 = static_cast<int16_t>(next_record);
  state.record(next_record).text = std::move(text);
  --next_record;
  return std::nullopt;
}

}  // namespace sb
