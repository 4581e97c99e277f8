#include "compiler/line_recorders.h"

#include <optional>
#include <string>

#include "compiler/memorizza_dati.h"
#include "model/error_codes.h"
#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "util/rounding.h"

namespace sb {
namespace {

constexpr int kMarkerEvery = 4;
constexpr int64_t kNearStretchGap = 150;
constexpr int32_t kNearStretchKind = 3;

// Applies the kind and marker rules of a new stretch to `tipo`; true when
// marker cells are wanted.
bool settle_kind(const BuildState& state, int32_t inizio, int32_t& tipo) {
  const bool markers = tipo > 10;
  if (markers) tipo -= 10;
  const int32_t count = state.mountain_count;
  if (count > 1 &&
      int64_t{inizio} - state.mountain_ends[static_cast<size_t>(count - 1)] <= kNearStretchGap) {
    tipo = kNearStretchKind;
  }
  return markers;
}

void mark_stretch(BuildState& state, const CellSpan& span, int32_t tipo, bool markers) {
  const uint8_t side = static_cast<uint8_t>(tipo);
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
Finding refuse_speed(int32_t s, int32_t d) {
  return read_failure("the speeds " + std::to_string(s) + " and " + std::to_string(d) +
                          " do not pack into a short (-32768 to 32767)",
                      {});
}

}  // namespace

CellSpan mountain_cells(int32_t inizio, int32_t fine) {
  return {cell_of(inizio), round_half_even(static_cast<double>(fine) / kCellLength - 1.0)};
}

int64_t board_cell(int32_t posizione) { return object_cell(posizione); }

bool span_fits(const BuildState& state, const CellSpan& span) {
  return span.empty() || (state.cell_exists(span.first) && state.cell_exists(span.last));
}

std::optional<Finding> memo_montagna(BuildState& state, int32_t inizio, int32_t fine,
                                     int32_t& tipo) {
  const CellSpan span = mountain_cells(inizio, fine);
  if (!span_fits(state, span)) return outside_the_line(state);
  if (state.mountain_count >= kMaxMountainStretches) return failure_of(kMountainTableFull);
  const size_t index = static_cast<size_t>(++state.mountain_count);
  state.mountain_starts[index] = inizio;
  state.mountain_ends[index] = fine;
  const bool markers = settle_kind(state, inizio, tipo);
  mark_stretch(state, span, tipo, markers);
  return std::nullopt;
}

std::optional<Finding> memo_indicatori_v_max(BuildState& state, int32_t posizione,
                                             const SpeedBoard& board) {
  const int64_t c = board_cell(posizione);
  if (!state.cell_exists(c)) return outside_the_line(state);
  TrackCell& cell = state.cell(static_cast<int32_t>(c));
  if (!is_free(cell)) return cell_taken(kSpeedBoardTaken, state, c);
  const std::optional<int16_t> a = pack_speed_pair(board.vas, board.vad);
  const std::optional<int16_t> b = pack_speed_pair(board.vbs, board.vbd);
  const std::optional<int16_t> v = pack_speed_pair(board.vcs, board.vcd);
  if (!a) return refuse_speed(board.vas, board.vad);
  if (!b) return refuse_speed(board.vbs, board.vbd);
  if (!v) return refuse_speed(board.vcs, board.vcd);
  cell.kind = kSpeedBoardCell;
  cell.value_1 = *a;
  cell.value_2 = *b;
  cell.value_3 = *v;
  cell.value_4 = pack_digits(board.strisces, board.strisced);
  return std::nullopt;
}

}  // namespace sb
