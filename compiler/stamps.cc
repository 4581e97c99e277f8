#include "compiler/stamps.h"

#include "compiler/scenario_codes.h"

namespace sb {

bool stamp_marks_and_codes(BuildState& state, StopCode* stop) {
  GeneralRecord& scenario = state.record(kScenarioRecord);
  TrackCell& first = state.cell(1);
  if (scenario.short_1 != 0 || first.value_1 != 0) {
    *stop = kFormatMarkHeld;
    return false;
  }
  scenario.short_1 = kRecordsFormatMark;
  first.value_1 = kCellsFormatMark;
  if (scenario.long_4 != 0 || first.value_2 != 0) {
    *stop = kScenarioCodeHeld;
    return false;
  }
  scenario.long_4 = codice_gara_st(state);
  first.value_2 = codice_gara_og(state);
  return true;
}

}  // namespace sb
