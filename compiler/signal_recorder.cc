#include "compiler/signal_recorder.h"

#include "model/error_codes.h"
#include "format/cell_geometry.h"
#include "format/cell_values.h"

namespace sb {
namespace {

constexpr int kApproachMarks = 4;

int64_t code_of(const SignalEntry& signal) { return signal_code(signal.sx, signal.dx); }

}  // namespace

std::optional<Finding> memo_segnale(BuildState& state, SignalEntry& signal) {
  const int64_t k = object_cell(signal.posizione);
  if (!state.cell_exists(k) || !state.cell_exists(k - 2 * kApproachMarks)) {
    return outside_the_line(state);
  }
  const auto index = static_cast<int32_t>(k);
  TrackCell& cell = state.cell(index);
  if (!is_free(cell)) return cell_taken(kSignalTaken, state, k);
  cell.kind = kSignalCell;
  cell.value_1 = pack_digits(signal.s1, signal.d1);
  cell.value_2 = pack_digits(signal.s2, signal.d2);
  cell.value_3 = pack_digits(signal.s3, signal.d3);
  cell.value_4 = pack_digits(signal.rapp, code_of(signal));
  if (signal.tempo >= 1 && signal.tempo <= 100) signal.tempo = 101;
  cell.signal_time = signal.sx == 2 ? low_8(signal.tempo) : 0;
  for (int b = 1; b <= kApproachMarks; ++b) {
    state.cell(index - 2 * b).approach = pack_approach(code_of(signal), b);
  }
  return std::nullopt;
}

}  // namespace sb
