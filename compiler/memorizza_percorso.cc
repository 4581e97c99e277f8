#include "compiler/memorizza_percorso.h"

#include "compiler/stamps.h"

namespace sb {
namespace {

void clear_build(BuildState& state, int32_t trace_flag) {
  state.trace_flag = trace_flag;
  for (GeneralRecord& record : state.general_records) record = GeneralRecord{};
}

}  // namespace

BuildReport memorizza_percorso(BuildState& state, int32_t trace_flag, FileSystem& file_system,
                               const BuildPlan& plan) {
  BuildReport report;
  clear_build(state, trace_flag);
  report.findings = memorizza_dati(state, file_system, plan.texts);
  // Cell 1 carries the marks, so a line shorter than two cells has none.
  if (state.track_cells.size() < 2) {
    report.end = BuildEnd::kNoCells;
    return report;
  }
  report.warnings = place_code_points(state);
  if (!stamp_marks_and_codes(state, &report.stop)) {
    report.end = BuildEnd::kStopped;
    return report;
  }
  if (plan.write_files &&
      !write_scenario_files(state, file_system, plan.outputs, &report.write_error)) {
    report.end = BuildEnd::kWriteFailed;
  }
  return report;
}

const Finding* final_compile_error(const BuildReport& report) {
  return report.findings.empty() ? nullptr : &report.findings.back();
}

}  // namespace sb
