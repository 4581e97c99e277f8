#include "output/scenario_files.h"

#include "format/file_names.h"
#include "output/scenario_writers.h"
#include "platform/file_set_writer.h"
#include "platform/paths.h"

namespace sb {
namespace {

bool texts_fit(const BuildState& state, const ScenarioFileNames& names, std::string* error) {
  for (int i = 0; i < kRecordCount; ++i) {
    if (state.record(i).text.size() > kLongestRecordText) {
      *error = "cannot write " + names.records + ": the text of record " + std::to_string(i) +
               " is longer than " + std::to_string(kLongestRecordText) + " bytes";
      return false;
    }
  }
  return true;
}

}  // namespace

ScenarioFileNames scenario_file_names(const std::string& directory,
                                      const std::string& scenario_name,
                                      const std::string& train_number) {
  return {join_path(directory, line_trace_file_name(scenario_name)),
          join_path(directory, records_file_name(scenario_name, train_number)),
          join_path(directory, cells_file_name(scenario_name, train_number))};
}

bool write_scenario_files(const BuildState& state, FileSystem& file_system,
                          const ScenarioFileNames& names, std::string* error) {
  if (!texts_fit(state, names, error)) return false;
  FileSetWriter files(file_system);
  if (state.trace_flag != 0) {
    const uint64_t size = line_trace_file_bytes(state.line_trace);
    if (BufferedWriter* out = files.add(names.line_trace, size)) {
      write_line_trace(state.line_trace, *out);
    }
  }
  if (BufferedWriter* out = files.add(names.records)) write_records(state.general_records, *out);
  if (BufferedWriter* out = files.add(names.cells)) write_cells(state.track_cells, *out);
  if (!files.commit()) {
    *error = files.error();
    return false;
  }
  return true;
}

}  // namespace sb
