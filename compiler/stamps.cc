#include "compiler/stamps.h"

#include "compiler/scenario_codes.h"

namespace sb {

std::optional<std::string> stamp_marks_and_codes(BuildState& state) {
  GeneralRecord& scenario = state.record(kScenarioRecord);
  TrackCell& first = state.cell(1);
  if (scenario.short_1 != 0 || first.value_1 != 0) return "1250";
  scenario.short_1 = kRecordsFormatMark;
  first.value_1 = kCellsFormatMark;
  if (scenario.long_4 != 0 || first.value_2 != 0) return "1251";
  scenario.long_4 = codice_gara_st(state);
  first.value_2 = codice_gara_og(state);
  return std::nullopt;
}

}  // namespace sb
