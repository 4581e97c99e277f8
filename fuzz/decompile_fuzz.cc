// Decompiling, in memory, two ways.  An input that begins with "T" is a
// scenario's two texts (the line text, a line "~~~~", the train text): when
// they build cleanly, the files they give must decompile, and the texts
// recovered must compile to the same three files, the trace included.  Any other input is a set of
// compiled files (records file, a line "~~~~", cells file, a line "~~~~",
// and the line trace file, which may be left out: then a straight trace of
// the route's length stands in for it): decompiling them must end in texts
// or a plain refusal, never a crash, and texts only when they compile back
// to the same files.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/decompile_command.h"
#include "app/exit_status.h"
#include "compiler/line_reader.h"
#include "compiler/memorizza_percorso.h"
#include "format/record_fields.h"
#include "format/trace_elements.h"
#include "fuzz/fuzz_checks.h"
#include "inspect/scenario_decoder.h"
#include "model/build_state.h"
#include "platform/memory_file_system.h"

namespace {

// Longer routes make executions slow and add nothing the short ones lack.
constexpr int32_t kLongestRoute = 20000;

// The trace file of a straight line of `rows` rows.
std::string straight_trace(int32_t rows) {
  std::string out;
  char element[sb::kTraceElementBytes];
  for (int column = 0; column < 2; ++column) {
    for (int32_t row = 0; row < rows; ++row) {
      char* end = element;
      if (row < 2) {
        end = sb::store_trace_element(element, static_cast<int16_t>(column == 1 && row == 1));
      } else if (row < rows - 2) {
        end = sb::store_trace_element(element, column == 1 ? static_cast<double>(row) : 0.0);
      } else {
        end = sb::store_trace_element(element, sb::TraceTag::kUnset);
      }
      out.append(element, static_cast<size_t>(end - element));
    }
  }
  return out;
}

// The route length in a records file, if its record 84 can be found.
std::optional<int32_t> route_length(const std::string& records) {
  std::array<sb::GeneralRecord, sb::kRecordCount> decoded;
  std::string error;
  if (!sb::decode_records(records, &decoded, &error)) return std::nullopt;
  return sb::route_length(decoded);
}

void decompile_texts(std::string_view input) {
  std::string_view rest = input;
  const std::string_view line_text = sb::fuzz::next_part(&rest);
  const std::string_view train_text = rest;
  sb::BuildState probe;
  sb::Findings ignored;
  sb::compile_line_text(probe, line_text, ignored);
  if (probe.trace_last_index > kLongestRoute + sb::kRouteOverrun) return;

  sb::MemoryFileSystem fs;
  fs.files["l.txt"] = std::string(line_text);
  fs.files["t.txt"] = std::string(train_text);
  sb::BuildState state;
  state.scenario_name = "Fuzz";
  state.train_number = "1";
  sb::BuildPlan plan;
  plan.texts = {"l.txt", "t.txt", false};
  plan.outputs = sb::scenario_file_names("out", "Fuzz", "1");
  if (sb::exit_status(sb::memorizza_percorso(state, sb::kWithLineTrace, fs, plan)) != 0) return;
  sb::CompiledFileSet files;
  files.paths = {plan.outputs.line_trace, plan.outputs.records, plan.outputs.cells};
  files.bytes = {fs.files[plan.outputs.line_trace], fs.files[plan.outputs.records],
                 fs.files[plan.outputs.cells]};
  sb::DecompiledTexts texts;
  std::string error;
  if (!sb::decompile_files(files, &texts, &error)) {
    std::fprintf(stderr, "a clean build did not decompile: %s\n", error.c_str());
    FUZZ_CHECK(false);
  }
  // The texts, compiled with the trace, give all three files again.
  fs.files["l2.txt"] = texts.line_text;
  fs.files["t2.txt"] = texts.train_text;
  sb::BuildState again;
  again.scenario_name = "Fuzz";
  again.train_number = "1";
  plan.texts = {"l2.txt", "t2.txt", false};
  plan.outputs = sb::scenario_file_names("again", "Fuzz", "1");
  FUZZ_CHECK(sb::exit_status(sb::memorizza_percorso(again, sb::kWithLineTrace, fs, plan)) == 0);
  FUZZ_CHECK(fs.files[plan.outputs.line_trace] == files.bytes[0]);
  FUZZ_CHECK(fs.files[plan.outputs.records] == files.bytes[1]);
  FUZZ_CHECK(fs.files[plan.outputs.cells] == files.bytes[2]);
}

void decompile_files(std::string_view input) {
  sb::CompiledFileSet files;
  files.paths = {"Fuzz_linea.dat", "Fuzz_1.sim", "Fuzz_1.dat"};
  if (input.find(sb::fuzz::kPartSeparator) == std::string_view::npos) return;
  std::string_view rest = input;
  files.bytes[1] = std::string(sb::fuzz::next_part(&rest));
  files.bytes[2] = std::string(sb::fuzz::next_part(&rest));
  files.bytes[0] = std::string(rest);
  const std::optional<int32_t> route = route_length(files.bytes[1]);
  if (!route || *route < 0 || *route > kLongestRoute) return;
  if (files.bytes[0].empty()) files.bytes[0] = straight_trace(*route + sb::kRouteOverrun + 1);
  sb::DecompiledTexts texts;
  std::string error;
  if (sb::decompile_files(files, &texts, &error)) {
    FUZZ_CHECK(error.empty());
    FUZZ_CHECK(texts.line_text.rfind("[generale]\r\n", 0) == 0);
    FUZZ_CHECK(texts.train_text.rfind("[generale]\r\n", 0) == 0);
  } else {
    FUZZ_CHECK(!error.empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input = sb::fuzz::as_text(data, size);
  if (!input.empty() && input[0] == 'T') {
    decompile_texts(input.substr(1));
  } else {
    decompile_files(input);
  }
  return 0;
}
