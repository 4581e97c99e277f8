#include "checks/error_kinds.h"

#include "model/error_codes.h"

namespace sb {

const std::vector<ErrorKind>& error_kinds() {
  static const std::vector<ErrorKind> kinds = {
      {kRouteLengthRefused, "a route length outside 0 to 1000000 m"},
      {kChainageNotMultiple,
       "a kilometre chainage that starts or reads at a value off the 50 m grid"},
      {kCabStartNotMultiple, "a cab-signalling start off the 50 m grid"},
      {kCabEndNotMultiple, "a cab-signalling end off the 50 m grid"},
      {kCabCodesMissing, "a cab-signalling keyword field that names neither 4 nor 9 codes"},
      {kIndicationBoardTaken, "an indication board on a cell that another entry holds"},
      {kCodePointTaken, "a code point on a cell that another entry holds"},
      {kStationPositionNotMultiple, "a station off the 50 m grid"},
      {kStationLengthNotMultiple, "a station length that is not a multiple of 100 m"},
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
      {kStationAtLineStart, "a station that ends within 100 m of the start of the line"},
      {kReadFailed, "a text that cannot be read, ends inside an entry or holds a value too wide"},
      {kLineTextMissing, "the line text does not exist"},
      {kNoGeneralSection, "a line text with no general section"},
      {kCurveRefused, "a curve without a class digit 1 to 6, or one that runs past the line"},
      {kBoardRecordsFull, "an indication board that finds no free record"},
      {kMountainTableFull, "a mountain stretch beyond the 80th"},
  };
  return kinds;
}

}  // namespace sb
