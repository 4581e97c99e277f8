#include "format/cells.h"

#include <type_traits>

namespace sb {

const char* cell_kind_name(uint8_t kind) {
  switch (kind) {
    case kEmptyCell: return "empty";
    case kSignalCell: return "signal";
    case kSlowdownEndCell: return "slowdown end";
    case kSlowdownStartCell: return "slowdown start";
    case kSlowdownWarningCell: return "slowdown warning";
    case kWarningLeadInCell: return "warning lead-in";
    case kSpeedBoardCell: return "speed board";
    case kStationStopCell: return "station stop";
    case kMountainMarkerCell: return "mountain marker";
    case kCodePointCell: return "code point";
    case kCodeCutPointCell: return "code cut point";
    case kIndicationBoardCell: return "indication board";
    default: return "unknown kind";
  }
}

const char* cell_slot_name(CellSlot slot) {
  switch (slot) {
    case CellSlot::kKind: return "kind";
    case CellSlot::kValue1: return "value_1";
    case CellSlot::kValue2: return "value_2";
    case CellSlot::kValue3: return "value_3";
    case CellSlot::kValue4: return "value_4";
    case CellSlot::kSignalTime: return "signal_time";
    case CellSlot::kApproach: return "approach";
    case CellSlot::kMountainSide: return "mountain_side";
    case CellSlot::kSpeedLimit: return "speed_limit";
    case CellSlot::kGradient: return "gradient";
    case CellSlot::kAdhesion: return "adhesion";
  }
  return "";
}

TrackCell decode_cell(ByteReader& in) {
  TrackCell cell;
  visit_cell_slots(cell, [&in](CellSlot, auto& field) {
    field = in.take_le<std::remove_reference_t<decltype(field)>>();
  });
  return cell;
}

}  // namespace sb
