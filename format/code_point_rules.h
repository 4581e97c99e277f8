#ifndef SCENARIO_BUILDER_FORMAT_CODE_POINT_RULES_H_
#define SCENARIO_BUILDER_FORMAT_CODE_POINT_RULES_H_

#include <cstdint>

#include "format/cell_geometry.h"

namespace sb {

// The distances and values of the code-point pass, walked by
// format/code_point_walk.h for the compiler's pass and for its replay in the
// decompiler, which must place exactly what the pass places.

// The value of every code point the pass places, and the most it leaves on a
// code point that stands ahead of a signal before a slowdown warning.
inline constexpr int16_t kPassCodeValue = 180;
// Slowdowns at this speed or above get no code points inside them.
inline constexpr int16_t kFastSlowdownSpeed = 110;
// Rule A: how many cells before a slowdown warning are searched for signals,
// and the lowest cell a signal gets a code point in.
inline constexpr int32_t kSignalLookBack = 20;
inline constexpr int32_t kFirstSignalCell = 3;
// Rule E: cells between two code points inside a slow slowdown (400 m), and
// how far after its end the next signal is searched (600 m).
inline constexpr int32_t kSpacingCells = 8;
inline constexpr int32_t kSignalSearchCells = 12;

// Rules B to D: the first free cell of three at a fixed distance before a
// slowdown start, start - nearest_cell .. start - nearest_cell - 2.  A rule
// runs only for a start beyond its farthest cell.
struct DistanceRule {
  char rule;
  int32_t nearest_cell;

  constexpr int32_t farthest_cell() const { return nearest_cell + 2; }
  constexpr int32_t runs_after() const { return farthest_cell(); }
  // The distances before the start the three cells stand at, in metres.
  constexpr int32_t nearest_metres() const { return nearest_cell * kCellLength; }
  constexpr int32_t farthest_metres() const { return farthest_cell() * kCellLength; }
};
inline constexpr DistanceRule kDistanceRules[] = {{'B', 5}, {'C', 11}, {'D', 18}};

// The distance rule of a letter B to D; nullptr for any other.
constexpr const DistanceRule* distance_rule(char rule) {
  for (const DistanceRule& r : kDistanceRules) {
    if (r.rule == rule) return &r;
  }
  return nullptr;
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_CODE_POINT_RULES_H_
