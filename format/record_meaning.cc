#include "format/record_meaning.h"

#include <cstdio>

namespace sb {
namespace {

using S = RecordSlot;

SlotMeaning station_slot(RecordSlot slot) {
  // Values 4 to 12 of the station entry are stored as they stand, for the
  // simulator (the 6th also extends the station's area by 50 m).
  switch (slot) {
    case S::kKind: return {"station kind"};
    case S::kLong1: return {"area start", "m"};
    case S::kLong2: return {"area end", "m"};
    case S::kLong3: return {"position", "m"};
    case S::kByte1: return {"4th entry value"};
    case S::kText: return {"name"};
    case S::kShort1: return {"7th entry value"};
    case S::kShort2: return {"8th entry value"};
    case S::kShort3: return {"10th entry value"};
    case S::kShort4: return {"11th entry value"};
    case S::kShort5: return {"12th entry value"};
    case S::kByte2: return {"9th entry value"};
    case S::kByte3: return {"stop time", "s"};
    case S::kByte4: return {"6th entry value"};
    case S::kByte5: return {"5th entry value"};
    case S::kLong4: return {"departure", "s"};
  }
  return {};
}

SlotMeaning chainage_slot(RecordSlot slot) {
  switch (slot) {
    case S::kLong1: return {"start", "m"};
    case S::kLong2: return {"kilometre value", "m"};
    case S::kLong3: return {"flag"};
    default: return {};
  }
}

SlotMeaning totals_slot(RecordSlot slot) {
  switch (slot) {
    case S::kLong1: return {"braked mass", "%"};
    case S::kLong2: return {"route length", "m"};
    case S::kLong3: return {"cars"};
    default: return {};
  }
}

SlotMeaning scenario_slot(RecordSlot slot) {
  // The backgrounds stand in the order one, three, two.
  switch (slot) {
    case S::kLong1: return {"background one"};
    case S::kLong2: return {"background three"};
    case S::kLong3: return {"background two"};
    case S::kText: return {"scenario name"};
    case S::kShort1: return {"format mark"};
    case S::kLong4: return {"scenario code"};
    default: return {};
  }
}

SlotMeaning train_slot(RecordSlot slot) {
  switch (slot) {
    case S::kLong1: return {"cab signalling start", "m"};
    case S::kLong2: return {"cab signalling end", "m"};
    case S::kLong3: return {"cab signalling codes"};
    case S::kText: return {"train number"};
    case S::kShort1: return {"sand"};
    case S::kShort3: return {"first clock value"};
    case S::kShort4: return {"second clock value"};
    case S::kShort5: return {"third clock value"};
    default: return {};
  }
}

bool numbers_all_zero(const GeneralRecord& record) {
  GeneralRecord numbers = record;
  numbers.text.clear();
  return numbers == GeneralRecord{};
}

}  // namespace

RecordRole record_role(int index, const GeneralRecord& record) {
  switch (index) {
    case 0: return RecordRole::kUnused;
    case kChainageThreeRecord:
    case kChainageTwoRecord:
    case kChainageOneRecord: return RecordRole::kChainage;
    case kTotalsRecord: return RecordRole::kTotals;
    case kScenarioRecord: return RecordRole::kScenario;
    case kTrainRecord: return RecordRole::kTrain;
    default: break;
  }
  if (record == GeneralRecord{}) return RecordRole::kFree;
  return numbers_all_zero(record) ? RecordRole::kBoardText : RecordRole::kStation;
}

const char* record_role_name(RecordRole role) {
  switch (role) {
    case RecordRole::kUnused: return "unused";
    case RecordRole::kFree: return "free";
    case RecordRole::kStation: return "station";
    case RecordRole::kBoardText: return "indication board text";
    case RecordRole::kChainage: return "chainage";
    case RecordRole::kTotals: return "totals";
    case RecordRole::kScenario: return "scenario";
    case RecordRole::kTrain: return "train";
  }
  return "";
}

SlotMeaning slot_meaning(RecordRole role, RecordSlot slot) {
  switch (role) {
    case RecordRole::kStation: return station_slot(slot);
    case RecordRole::kBoardText:
      return slot == S::kText ? SlotMeaning{"board text"} : SlotMeaning{};
    case RecordRole::kChainage: return chainage_slot(slot);
    case RecordRole::kTotals: return totals_slot(slot);
    case RecordRole::kScenario: return scenario_slot(slot);
    case RecordRole::kTrain: return train_slot(slot);
    case RecordRole::kUnused:
    case RecordRole::kFree: break;
  }
  return {};
}

std::string time_of_day(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

}  // namespace sb
