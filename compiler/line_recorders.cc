#include "compiler/line_recorders.h"

#include <optional>
#include <string>

#include "compiler/memorizza_dati.h"
#include "model/error_codes.h"
#include "format/cell_geometry.h"
#include "format/cell_values.h"

namespace sb {
namespace {

constexpr int kMarkerEvery = 4;
constexpr int64_t kNearStretchGap = 150;
constexpr int32_t kNearStretchKind = 3;

// Applies the kind and marker rules of a new stretch to `kind`; true when
// marker cells are wanted.
bool settle_kind(const BuildState& state, int32_t start, int32_t& kind) {
  const bool markers = kind > 10;
  if (markers) kind -= 10;
  const int32_t count = state.mountain_count;
  if (count > 1 &&
      int64_t{start} - state.mountain_ends[static_cast<size_t>(count - 1)] <= kNearStretchGap) {
    kind = kNearStretchKind;
  }
  return markers;
}

void mark_stretch(BuildState& state, const CellSpan& span, int32_t kind, bool markers) {
  const uint8_t side = static_cast<uint8_t>(kind);
  int64_t count = 1;
  for (int64_t index = span.first; index <= span.last; ++index, ++count) {
    TrackCell& cell = state.cell(static_cast<int32_t>(index));
    cell.mountain_side = side;
    if (markers && count % kMarkerEvery == 0 && cell.kind == kEmptyCell) {
      cell.kind = kMountainMarkerCell;
    }
  }
}

// The reader places the failure at the entry's keyword field.
Finding speed_too_wide(int32_t left, int32_t right) {
  return read_failure(ReadCause::kTooWide,
                      "the speeds " + std::to_string(left) + " and " + std::to_string(right) +
                          " do not pack into a short (-32768 to 32767)",
                      {});
}

}  // namespace

CellSpan mountain_cells(int32_t start, int32_t end) { return {cell_of(start), area_end_cell(end)}; }

int64_t board_cell(int32_t position) { return object_cell(position); }

bool span_fits(const BuildState& state, const CellSpan& span) {
  return span.empty() || (state.cell_exists(span.first) && state.cell_exists(span.last));
}

bool memo_montagna(BuildState& state, int32_t start, int32_t end, int32_t& kind, Finding* refusal) {
  const CellSpan span = mountain_cells(start, end);
  if (!span_fits(state, span)) return refuse(refusal, outside_the_line(state));
  if (state.mountain_count >= kMaxMountainStretches) {
    return refuse(refusal, failure_of(kMountainTableFull));
  }
  const size_t index = static_cast<size_t>(++state.mountain_count);
  state.mountain_starts[index] = start;
  state.mountain_ends[index] = end;
  const bool markers = settle_kind(state, start, kind);
  mark_stretch(state, span, kind, markers);
  return true;
}

bool memo_indicatori_v_max(BuildState& state, int32_t position, const SpeedBoard& board,
                           Finding* refusal) {
  const int64_t c = board_cell(position);
  if (!state.cell_exists(c)) return refuse(refusal, outside_the_line(state));
  TrackCell& cell = state.cell(static_cast<int32_t>(c));
  if (!is_free(cell)) return refuse(refusal, cell_taken(kSpeedBoardTaken, state, c));
  const std::optional<int16_t> rank_a = pack_speed_pair(board.left_speed_a, board.right_speed_a);
  const std::optional<int16_t> rank_b = pack_speed_pair(board.left_speed_b, board.right_speed_b);
  const std::optional<int16_t> rank_c = pack_speed_pair(board.left_speed_c, board.right_speed_c);
  if (!rank_a) return refuse(refusal, speed_too_wide(board.left_speed_a, board.right_speed_a));
  if (!rank_b) return refuse(refusal, speed_too_wide(board.left_speed_b, board.right_speed_b));
  if (!rank_c) return refuse(refusal, speed_too_wide(board.left_speed_c, board.right_speed_c));
  cell.kind = kSpeedBoardCell;
  cell.value_1 = *rank_a;
  cell.value_2 = *rank_b;
  cell.value_3 = *rank_c;
  cell.value_4 = pack_digits(board.left_stripes, board.right_stripes);
  return true;
}

}  // namespace sb
