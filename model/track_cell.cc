#include "model/track_cell.h"

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

}  // namespace sb
