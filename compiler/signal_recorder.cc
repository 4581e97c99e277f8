#include "compiler/signal_recorder.h"

#include "model/error_codes.h"
#include "model/rounding.h"

namespace sb {
namespace {

constexpr int kApproachMarks = 4;

// The packed values keep the low 16 or 8 bits of what they add up to.
int16_t low_16(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }
uint8_t low_8(int64_t value) { return static_cast<uint8_t>(value); }

int16_t pack(int32_t tens, int32_t units) { return low_16(int64_t{10} * tens + units); }

int64_t signal_code(const SignalEntry& signal) { return int64_t{3} * signal.sx + signal.dx; }

}  // namespace

std::optional<Finding> memo_segnale(BuildState& state, SignalEntry& signal) {
  const int64_t k = round_half_even(static_cast<double>(signal.posizione) / 50 + 1);
  if (!state.cell_exists(k) || !state.cell_exists(k - 2 * kApproachMarks)) {
    return outside_the_line(state);
  }
  const auto index = static_cast<int32_t>(k);
  TrackCell& cell = state.cell(index);
  if (!is_free(cell)) return cell_taken(kSignalTaken, state, k);
  cell.kind = kSignalCell;
  cell.value_1 = pack(signal.s1, signal.d1);
  cell.value_2 = pack(signal.s2, signal.d2);
  cell.value_3 = pack(signal.s3, signal.d3);
  cell.value_4 = low_16(int64_t{10} * signal.rapp + signal_code(signal));
  if (signal.tempo >= 1 && signal.tempo <= 100) signal.tempo = 101;
  cell.signal_time = signal.sx == 2 ? low_8(signal.tempo) : 0;
  for (int b = 1; b <= kApproachMarks; ++b) {
    state.cell(index - 2 * b).approach = low_8(signal_code(signal) * 10 + b);
  }
  return std::nullopt;
}

}  // namespace sb
