#include "compiler/signal_recorder.h"

#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "format/object_cells.h"
#include "model/error_codes.h"

namespace sb {
namespace {

int64_t code_of(const SignalEntry& signal) {
  return signal_code(signal.left_code, signal.right_code);
}

}  // namespace

bool memo_segnale(BuildState& state, SignalEntry& signal, Finding* refusal) {
  const int64_t k = object_cell(signal.position);
  if (!state.cell_exists(k) || !state.cell_exists(k - 2 * kApproachMarks)) {
    return refuse(refusal, outside_the_line(state));
  }
  const auto index = static_cast<int32_t>(k);
  TrackCell& cell = state.cell(index);
  if (!is_free(cell)) return refuse(refusal, cell_taken(kSignalTaken, state, k));
  cell.kind = kSignalCell;
  cell.value_1 = pack_digits(signal.left_digit_1, signal.right_digit_1);
  cell.value_2 = pack_digits(signal.left_digit_2, signal.right_digit_2);
  cell.value_3 = pack_digits(signal.left_digit_3, signal.right_digit_3);
  cell.value_4 = pack_digits(signal.leading_digit, code_of(signal));
  if (signal.time >= 1 && signal.time <= 100) signal.time = 101;
  cell.signal_time = signal.left_code == 2 ? low_8(signal.time) : 0;
  for (int b = 1; b <= kApproachMarks; ++b) {
    state.cell(index - 2 * b).approach = pack_approach(code_of(signal), b);
  }
  return true;
}

}  // namespace sb
