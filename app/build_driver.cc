#include "app/build_driver.h"

#include "output/scenario_codes.h"
#include "util/exit_status.h"

namespace sb {
namespace {

void clear_build(BuildState& state, int32_t j) {
  state.trace_flag = j;
  for (GeneralRecord& record : state.general_records) record = GeneralRecord{};
}

// The format marks and codes go into record 85 and cell 1 only when nothing
// else has been put there; otherwise the build stops with the check's number.
bool stamp(BuildState& state, std::string* stop) {
  GeneralRecord& scenario = state.record(kScenarioRecord);
  TrackCell& first = state.cell(1);
  if (scenario.short_1 != 0 || first.value_1 != 0) {
    *stop = "1250";
    return false;
  }
  scenario.short_1 = kRecordsFormatMark;
  first.value_1 = kCellsFormatMark;
  if (scenario.long_4 != 0 || first.value_2 != 0) {
    *stop = "1251";
    return false;
  }
  scenario.long_4 = codice_gara_st(state);
  first.value_2 = codice_gara_og(state);
  return true;
}

}  // namespace

BuildReport memorizza_percorso(BuildState& state, int32_t j, FileSystem& file_system,
                               const BuildPlan& plan) {
  BuildReport report;
  clear_build(state, j);
  report.findings = memorizza_dati(state, file_system, plan.texts);
  // Cell 1 carries the marks, so a line shorter than two cells has none.
  if (state.track_cells.size() < 2) {
    report.end = BuildEnd::kNoCells;
    return report;
  }
  report.warnings = place_code_points(state);
  if (!stamp(state, &report.stop)) {
    report.end = BuildEnd::kStopped;
    return report;
  }
  if (plan.write_files && !write_scenario_files(state, file_system, plan.outputs, &report.stop)) {
    report.end = BuildEnd::kWriteFailed;
  }
  return report;
}

const Finding* final_compile_error(const BuildReport& report) {
  return report.findings.empty() ? nullptr : &report.findings.back();
}

int exit_status(const BuildReport& report) {
  if (report.end != BuildEnd::kDone) return kExitNotWritten;
  return report.findings.empty() ? kExitClean : kExitCompileError;
}

}  // namespace sb
