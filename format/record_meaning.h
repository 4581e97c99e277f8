#ifndef SCENARIO_BUILDER_FORMAT_RECORD_MEANING_H_
#define SCENARIO_BUILDER_FORMAT_RECORD_MEANING_H_

#include <string>

#include "format/records.h"

namespace sb {

// What a general record holds, told from its index and, in records 1 to 80,
// its contents: stations fill records from 1 upward, indication-board texts
// (a text and nothing else) from 80 downward.
enum class RecordRole {
  kUnused,  // record 0
  kFree,    // all zero in 1 to 80
  kStation,
  kBoardText,
  kChainage,  // 81 to 83
  kTotals,    // 84
  kScenario,  // 85
  kTrain,     // 86
};

RecordRole record_role(int index, const GeneralRecord& record);
// "station", "indication board text", "chainage", ...
const char* record_role_name(RecordRole role);

// What a slot holds in a record of a role: a label and the unit of its
// number ("" for a plain number or a text).  The label is "" for a slot
// that the role leaves unused.
struct SlotMeaning {
  const char* label = "";
  const char* unit = "";
};
SlotMeaning slot_meaning(RecordRole role, RecordSlot slot);

// "12:39:00" for a station's departure, in seconds since midnight.
std::string time_of_day(int64_t seconds);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_RECORD_MEANING_H_
