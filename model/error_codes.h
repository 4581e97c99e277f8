#ifndef SCENARIO_BUILDER_MODEL_ERROR_CODES_H_
#define SCENARIO_BUILDER_MODEL_ERROR_CODES_H_

#include <cstdint>

namespace sb {

// The numbers of the failures the compiler and the marker pass find.
enum ErrorCode : int32_t {
  kNoError = 0,
  // Line text.
  kRouteLengthRefused = 1,
  kCabStartNotMultiple = 3,
  kCabEndNotMultiple = 4,
  kCabCodesMissing = 5,
  kIndicationBoardTaken = 6,
  kSpeedBoardTaken = 21,
  kLineTextMissing = 101,  // the line text does not exist
  kNoGeneralSection = 102,
  kCurveRefused = 103,
  kBoardRecordsFull = 104,  // an indication board finds records 80 down to 1 full
  kMountainTableFull = 105,
  // Train text.
  kChainageNotMultiple = 2,
  kCodePointTaken = 7,
  kStationPositionNotMultiple = 8,
  kStationLengthNotMultiple = 9,
  kStationTableFull = 10,
  kSignalTaken = 16,
  kSlowdownWarningTaken = 17,
  kSlowdownStartTaken = 18,
  kSlowdownEndTaken = 19,
  kSlowdownLeadInTaken = 20,
  kStationsTooClose = 22,
  kStationAtLineStart = 24,
  // Either text.
  kOutsideTheLine = 15,
  // A line text that stands but cannot be read, a train text that is missing
  // or cannot be read, a text that ends inside an entry, a value too large
  // for its width, a general section without a route length: ReadCause says
  // which.  A missing line text is kLineTextMissing instead.
  kReadFailed = 25,
  // Failed placements of the marker pass.
  kRuleAPlacementFailed = 11,
  kRulesBToDPlacementFailed = 12,
  kRuleEPlacementFailed = 13,
};

// Why a read failed: every cause is reported as kReadFailed, but only a text
// that cannot be read or ends early is announced as a read failure.
enum class ReadCause : uint8_t {
  kNone,
  kUnreadable,     // the file could not be read
  kTextEnds,       // the text ends where a field was expected
  kTooWide,        // a value or text does not fit its width
  kNoRouteLength,  // the general section gives no route length
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_ERROR_CODES_H_
