#ifndef SCENARIO_BUILDER_FORMAT_CELLS_H_
#define SCENARIO_BUILDER_FORMAT_CELLS_H_

#include <cstddef>
#include <cstdint>

#include "format/byte_io.h"

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

// One 50 m stretch of line: the object placed in it (kind, the four values
// and the signal time, see cell_values.h), the approach mark of a signal or
// station stop ahead, and the line under it.
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
inline bool is_free_kind(uint8_t kind) { return kind == kEmptyCell || kind == kMountainMarkerCell; }
inline bool is_free(const TrackCell& cell) { return is_free_kind(cell.kind); }

// Cell 1 carries the format mark in value_1 and the scenario code in
// value_2, whatever its kind.
inline constexpr size_t kMarkCell = 1;
inline constexpr int16_t kCellsFormatMark = 5121;

// The cells file is the cells from 0 to the last, back to back; a cell is
// its slots in the order below, integers little-endian: 15 bytes.
enum class CellSlot : uint8_t {
  kKind,
  kValue1,
  kValue2,
  kValue3,
  kValue4,
  kSignalTime,
  kApproach,
  kMountainSide,
  kSpeedLimit,
  kGradient,
  kAdhesion,
};
inline constexpr size_t kCellBytes = 15;

// "kind", "value_1", ... "adhesion": the slot's name in the file layout.
const char* cell_slot_name(CellSlot slot);

// Calls visit(slot, field) for each field of `cell` in file order, the field
// a reference to the member (const when the cell is).
template <typename Cell, typename Visit>
void visit_cell_slots(Cell& c, Visit&& visit) {
  visit(CellSlot::kKind, c.kind);
  visit(CellSlot::kValue1, c.value_1);
  visit(CellSlot::kValue2, c.value_2);
  visit(CellSlot::kValue3, c.value_3);
  visit(CellSlot::kValue4, c.value_4);
  visit(CellSlot::kSignalTime, c.signal_time);
  visit(CellSlot::kApproach, c.approach);
  visit(CellSlot::kMountainSide, c.mountain_side);
  visit(CellSlot::kSpeedLimit, c.speed_limit);
  visit(CellSlot::kGradient, c.gradient);
  visit(CellSlot::kAdhesion, c.adhesion);
}

// Out is a BufferedWriter or a ByteString.
template <typename Out>
void encode_cell(const TrackCell& cell, Out& out) {
  visit_cell_slots(cell, [&out](CellSlot, auto field) {
    if constexpr (sizeof field == 1) {
      out.put_u8(field);
    } else {
      out.put_i16(field);
    }
  });
}

// Reads one cell; the caller has checked that kCellBytes are left.
TrackCell decode_cell(ByteReader& in);

// A readable name for a cell kind ("speed board"), "unknown kind" for a kind
// no cell has.
const char* cell_kind_name(uint8_t kind);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_CELLS_H_
