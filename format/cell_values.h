#ifndef SCENARIO_BUILDER_FORMAT_CELL_VALUES_H_
#define SCENARIO_BUILDER_FORMAT_CELL_VALUES_H_

#include <cstdint>
#include <optional>

#include "util/rounding.h"

namespace sb {

// How the values of a cell pack what stands in it, each packing beside its
// inverse.  Packed values keep the low 16 (values) or 8 (bytes) bits of
// what they add up to.

inline int16_t low_16(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }
inline uint8_t low_8(int64_t value) { return static_cast<uint8_t>(value); }

// Two decimal digits as tens × 10 + units: a signal's left and right digit
// of each aspect, a speed board's two stripe counts, a signal's leading
// digit and code.
struct Digits {
  int32_t tens = 0;
  int32_t units = 0;

  bool operator==(const Digits&) const = default;
};
inline int16_t pack_digits(int64_t tens, int64_t units) { return low_16(10 * tens + units); }
inline Digits unpack_digits(int16_t packed) { return {packed / 10, packed % 10}; }

// A signal's left-hand and right-hand codes as one number.
inline int64_t signal_code(int64_t left_code, int64_t right_code) {
  return 3 * left_code + right_code;
}
// Its inverse for right-hand codes 0 to 2, the codes signals use.
inline Digits unpack_signal_code(int32_t code) { return {code / 3, code % 3}; }

// A speed board packs the left-hand (s) and right-hand (d) speeds (km/h) of
// one speed rank as left × 20 + right / 5, rounded: for speeds in steps of
// 5 km/h, left / 5 in the hundreds and above and right / 5 in the last two
// digits.  Nothing when the sum leaves the 16-bit range.
struct SpeedPair {
  int32_t left = 0;
  int32_t right = 0;

  bool operator==(const SpeedPair&) const = default;
};
inline std::optional<int16_t> pack_speed_pair(int32_t left, int32_t right) {
  const int64_t packed =
      round_half_even(static_cast<double>(left) * 20.0 + static_cast<double>(right) / 5.0);
  if (packed < INT16_MIN || packed > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(packed);
}
inline SpeedPair unpack_speed_pair(int16_t packed) { return {packed / 100 * 5, packed % 100 * 5}; }

// The approach mark on the cells ahead of a signal (code 3 × left-hand code + right-hand code) or a
// station stop (code 8): code × 10 + the mark's number, 1 nearest.
inline constexpr int32_t kStationApproachCode = 8;
struct ApproachMark {
  int32_t code = 0;
  int32_t number = 0;

  bool operator==(const ApproachMark&) const = default;
};
inline uint8_t pack_approach(int64_t code, int64_t number) { return low_8(code * 10 + number); }
inline ApproachMark unpack_approach(uint8_t packed) { return {packed / 10, packed % 10}; }

// The line speed limit in km/h / 5, rounded; nothing outside 0 to 255.
inline std::optional<uint8_t> pack_speed_limit(int32_t kmh) {
  const int64_t packed = round_div(kmh, 5);
  if (packed < 0 || packed > 255) return std::nullopt;
  return static_cast<uint8_t>(packed);
}
inline int32_t unpack_speed_limit(uint8_t packed) { return packed * 5; }

// The gradient + 100, low 8 bits; a 0 byte is a cell that never
// got one.
inline uint8_t pack_gradient(int32_t gradient) { return low_8(int64_t{gradient} + 100); }
// The gradient a byte reads as, -100 for the 0 byte included.
inline int32_t stored_gradient(uint8_t packed) { return packed - 100; }
inline std::optional<int32_t> unpack_gradient(uint8_t packed) {
  if (packed == 0) return std::nullopt;
  return stored_gradient(packed);
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_CELL_VALUES_H_
