#ifndef SCENARIO_BUILDER_MODEL_TRACK_CELL_H_
#define SCENARIO_BUILDER_MODEL_TRACK_CELL_H_

#include <cstdint>

namespace sb {

// What stands in a track cell.
enum CellKind : uint8_t {
  kEmptyCell = 0,
  kSignalCell = 1,
  kSlowdownEndCell = 2,
  kSlowdownStartCell = 3,
  kSlowdownWarningCell = 4,
  kWarningLeadInCell = 5,
  kSpeedBoardCell = 6,
  kStationStopCell = 10,
  kMountainMarkerCell = 11,
  kCodePointCell = 12,
  kCodeCutPointCell = 13,
  kIndicationBoardCell = 14,
};

// One 50 m stretch of line.
struct TrackCell {
  uint8_t kind = kEmptyCell;
  int16_t value_1 = 0;
  int16_t value_2 = 0;
  int16_t value_3 = 0;
  int16_t value_4 = 0;
  uint8_t signal_time = 0;
  uint8_t approach = 0;
  uint8_t mountain_side = 0;
  uint8_t speed_limit = 0;
  uint8_t gradient = 0;
  uint8_t adhesion = 0;

  bool operator==(const TrackCell&) const = default;
};

// Objects go only into free cells; a mountain marker gives way to them.
inline bool is_free_kind(uint8_t kind) {
  return kind == kEmptyCell || kind == kMountainMarkerCell;
}
inline bool is_free(const TrackCell& cell) { return is_free_kind(cell.kind); }

// A readable name for a cell kind ("speed board"), "kind N" for unknown ones.
const char* cell_kind_name(uint8_t kind);

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_TRACK_CELL_H_
