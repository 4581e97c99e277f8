// The whole build, from two source texts to the three files, in memory.  The
// input is the line text, then a line "~~~~", then the train text (an input
// without that line is a line text with an empty train text).  Routes longer
// than a few kilometres are built without the line trace, to keep
// executions fast: the line text target covers the trace.

#include <cstddef>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/exit_status.h"
#include "compiler/memorizza_percorso.h"
#include "compiler/line_reader.h"
#include "fuzz/fuzz_checks.h"
#include "inspect/scenario_decoder.h"
#include "platform/memory_file_system.h"

namespace {

constexpr int32_t kLongestTracedRoute = 5000;

// The trace flag to build with: 1 unless the route is long.
int32_t trace_flag_for(std::string_view line_text) {
  sb::BuildState probe;
  sb::Findings ignored;
  sb::compile_line_text(probe, line_text, ignored);
  return probe.trace_last_index <= kLongestTracedRoute + sb::kRouteOverrun ? 1 : 0;
}

sb::BuildPlan plan_in(const std::string& directory) {
  sb::BuildPlan plan;
  plan.texts.line_path = directory + "/Fuzz_linea.txt";
  plan.texts.train_path = directory + "/Fuzz_1-.txt";
  plan.outputs = sb::scenario_file_names(directory, "Fuzz", "1");
  return plan;
}

// What the build wrote decodes back to what it held.
void check_written(const sb::BuildState& state, sb::MemoryFileSystem& fs,
                   const sb::ScenarioFileNames& names) {
  std::string error;
  std::array<sb::GeneralRecord, sb::kRecordCount> records;
  FUZZ_CHECK(fs.files.count(names.records) == 1);
  FUZZ_CHECK(sb::decode_records(fs.files[names.records], &records, &error));
  FUZZ_CHECK(records == state.general_records);
  std::vector<sb::TrackCell> cells;
  FUZZ_CHECK(fs.files.count(names.cells) == 1);
  FUZZ_CHECK(sb::decode_cells(fs.files[names.cells], &cells, &error));
  FUZZ_CHECK(cells == state.track_cells);
  FUZZ_CHECK(fs.files.count(names.line_trace) == (state.trace_flag != 0 ? 1u : 0u));
  if (state.trace_flag == 0) return;
  sb::DecodedTrace trace;
  FUZZ_CHECK(sb::decode_line_trace(fs.files[names.line_trace], &trace, &error));
  FUZZ_CHECK(trace.row_count() == state.line_trace.row_count());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = sb::fuzz::as_text(data, size);
  std::string_view rest = input;
  const std::string_view line_text = sb::fuzz::next_part(&rest);
  const std::string_view train_text = rest;

  const sb::BuildPlan plan = plan_in("/scenario");
  sb::MemoryFileSystem fs;
  fs.files[plan.texts.line_path] = std::string(line_text);
  fs.files[plan.texts.train_path] = std::string(train_text);

  sb::BuildState state;
  state.scenario_name = "Fuzz";
  state.train_number = "1";
  const sb::BuildReport report = sb::memorizza_percorso(state, trace_flag_for(line_text), fs, plan);

  sb::fuzz::check_findings(report.findings);
  const int status = sb::exit_status(report);
  FUZZ_CHECK(status == 0 || status == 1 || status == 3);
  sb::fuzz::check_state_shape(state);
  // Texts are read at most 65535 bytes long, so the records always fit.
  FUZZ_CHECK(report.end != sb::BuildEnd::kWriteFailed);
  // The line text is gone once it has been read, whatever happened.
  FUZZ_CHECK(fs.files.count(plan.texts.line_path) == 0);
  if (report.end == sb::BuildEnd::kDone) {
    check_written(state, fs, plan.outputs);
  } else {
    // A build that stops writes nothing at all.
    FUZZ_CHECK(fs.files.count(plan.outputs.records) == 0);
    FUZZ_CHECK(fs.files.count(plan.outputs.cells) == 0);
    FUZZ_CHECK(fs.files.count(plan.outputs.line_trace) == 0);
  }
  return 0;
}
