#ifndef SCENARIO_BUILDER_FORMAT_STATION_AREA_H_
#define SCENARIO_BUILDER_FORMAT_STATION_AREA_H_

#include <cstdint>

#include "format/cell_geometry.h"

namespace sb {

// The stretch of line a station covers, in metres from the start of the
// line (a station record's long_1 and long_2).
struct StationArea {
  int64_t start = 0;
  int64_t end = 0;

  bool operator==(const StationArea&) const = default;
};

// The area of a station entry at `position` of `length` metres: kinds 5
// and 6 reach `length` back from the position and end 150 m beyond it,
// kinds 7 and 8 reach `length` either way, every other kind is centred on
// the position (length / 2 either way, halves cut towards zero) and ends
// 50 m further when `extended`.
inline StationArea station_area(int64_t position, int64_t kind, int64_t length, bool extended) {
  switch (kind) {
    case 5:
    case 6: return {position - length, position + 150};
    case 7:
    case 8: return {position - length, position + length};
    default: return {position - length / 2, position + length / 2 + (extended ? 50 : 0)};
  }
}

// A station's area begins at least this far beyond the end of the area of
// the station before it.
inline constexpr int64_t kStationSpacing = 350;

// A station stands at a multiple of the cell length and is a multiple of
// this long.
inline constexpr int64_t kStationLengthStep = 100;

// A station's stop cell lies beyond the first two cells: its area ends more
// than this far from the start of the line.
inline constexpr int64_t kStationStartMargin = 2 * kCellLength;

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_STATION_AREA_H_
