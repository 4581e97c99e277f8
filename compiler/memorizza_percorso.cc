#include "compiler/memorizza_percorso.h"

#include <initializer_list>
#include <string>

#include "compiler/stamps.h"

namespace sb {
namespace {

void clear_build(BuildState& state, int32_t trace_flag) {
  state.trace_flag = trace_flag;
  for (GeneralRecord& record : state.general_records) record = GeneralRecord{};
}

// Deletes the bare run's own texts as the reading goes: each once its reader
// is done with it, and every one still there at a read failure.
class TextDeletion : public ReadingProgress {
 public:
  TextDeletion(FileSystem& file_system, const SourceTexts& texts)
      : file_system_(file_system), texts_(texts) {}

  void text_taken(const std::string& path) override {
    if (texts_.delete_after_reading) file_system_.remove(path);
  }

  void reading_failed() override {
    if (!texts_.delete_after_reading) return;
    for (const std::string* path : {&texts_.line_path, &texts_.train_path}) {
      if (file_system_.exists(*path)) file_system_.remove(*path);
    }
  }

 private:
  FileSystem& file_system_;
  const SourceTexts& texts_;
};

}  // namespace

BuildReport memorizza_percorso(BuildState& state, int32_t trace_flag, FileSystem& file_system,
                               const BuildPlan& plan) {
  BuildReport report;
  clear_build(state, trace_flag);
  TextDeletion deletion(file_system, plan.texts);
  report.findings = memorizza_dati(state, file_system, plan.texts, deletion);
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
