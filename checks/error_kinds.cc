#include "checks/error_kinds.h"

#include <string>

#include "format/cell_geometry.h"
#include "format/station_area.h"
#include "model/build_state.h"
#include "model/error_codes.h"

namespace sb {
namespace {

std::string metres(int64_t length) { return std::to_string(length) + " m"; }

std::string grid() { return "the " + metres(kCellLength) + " grid"; }

}  // namespace

const std::vector<ErrorKind>& error_kinds() {
  static const std::vector<ErrorKind> kinds = {
      {kRouteLengthRefused, "a route length outside 0 to " + metres(kMaxRouteLength)},
      {kChainageNotMultiple, "a kilometre chainage that starts or reads at a value off " + grid()},
      {kCabStartNotMultiple, "a cab-signalling start off " + grid()},
      {kCabEndNotMultiple, "a cab-signalling end off " + grid()},
      {kCabCodesMissing, "a cab-signalling keyword field that names neither 4 nor 9 codes"},
      {kIndicationBoardTaken, "an indication board on a cell that another entry holds"},
      {kCodePointTaken, "a code point on a cell that another entry holds"},
      {kStationPositionNotMultiple, "a station off " + grid()},
      {kStationLengthNotMultiple,
       "a station length that is not a multiple of " + metres(kStationLengthStep)},
      {kStationTableFull, "so many stations that they reach the records of the indication boards"},
      {kRuleAPlacementFailed, "no free cell for the code point ahead of a signal"},
      {kRulesBToDPlacementFailed, "no free cell for a code point before or in a slowdown"},
      {kRuleEPlacementFailed, "no free cell for a code point after a slow slowdown"},
      {kOutsideTheLine, "an entry that lies outside the line"},
      {kSignalTaken, "a signal on a cell that another entry holds"},
      {kSlowdownWarningTaken, "a slowdown warning on a cell that another entry holds"},
      {kSlowdownStartTaken, "a slowdown start on a cell that another entry holds"},
      {kSlowdownEndTaken, "a slowdown end on a cell that another entry holds"},
      {kSlowdownLeadInTaken, "a slowdown lead-in on a cell that another entry holds"},
      {kSpeedBoardTaken, "a maximum-speed board on a cell that another entry holds"},
      {kStationsTooClose, "stations too close to one another"},
      {kStationAtLineStart,
       "a station that ends within " + metres(kStationStartMargin) + " of the start of the line"},
      {kReadFailed, "a text that cannot be read, ends inside an entry or holds a value too wide"},
      {kLineTextMissing, "the line text does not exist"},
      {kNoGeneralSection, "a line text with no general section"},
      {kCurveRefused, "a curve without a class digit 1 to 6, or one that runs past the line"},
      {kBoardRecordsFull, "an indication board that finds no free record"},
      {kMountainTableFull,
       "a mountain stretch beyond the " + std::to_string(kMaxMountainStretches) + "th"},
  };
  return kinds;
}

}  // namespace sb
