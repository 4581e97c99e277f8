// The decoder and the dump on any bytes, taken as a compiled file.  The
// first byte chooses the kind of file (records, cells or line trace) and
// whether rows are asked for, the next two which rows; the rest is the
// file, dumped as text and as JSON.  Seeds: the built-in scenario's records
// and cells, and the first rows of a short route's trace.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "fuzz/fuzz_checks.h"
#include "app/dump_command.h"
#include "inspect/scenario_decoder.h"
#include "platform/memory_file_system.h"

namespace {

constexpr const char* kPaths[] = {"/in/Fuzz_1.sim", "/in/Fuzz_1.dat", "/in/Fuzz_linea.dat"};
constexpr sb::DumpKind kKinds[] = {sb::DumpKind::kRecords, sb::DumpKind::kCells,
                                   sb::DumpKind::kLineTrace};

struct Run {
  int status = -1;
  std::string out;
  std::string err;
};

Run dump(sb::MemoryFileSystem& files, const sb::DumpOptions& options) {
  std::ostringstream out;
  std::ostringstream err;
  Run run;
  run.status = sb::dump_command(options, files, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// A failure is one line naming the file and nothing on the output; a dump
// says nothing on the error stream.
void check_outcome(const Run& run, const std::string& path) {
  FUZZ_CHECK(run.status == sb::kExitClean || run.status == sb::kExitUsage);
  if (run.status == sb::kExitUsage) {
    FUZZ_CHECK(run.out.empty());
    FUZZ_CHECK(!run.err.empty() && run.err.back() == '\n');
    FUZZ_CHECK(run.err.find('\n') == run.err.size() - 1);
    FUZZ_CHECK(run.err.find(path) != std::string::npos);
  } else {
    FUZZ_CHECK(run.err.empty());
    FUZZ_CHECK(!run.out.empty() && run.out.back() == '\n');
  }
}

// The trace's JSON counts exactly the values that are not finite, and shows
// each asked row with the value the decoder read.
void check_trace_json(const nlohmann::json& json, std::string_view bytes) {
  sb::DecodedTrace trace;
  std::string error;
  FUZZ_CHECK(sb::decode_line_trace(bytes, &trace, &error));
  FUZZ_CHECK(json["row_count"] == trace.row_count());
  size_t non_finite = 0;
  for (size_t row = 0; row < trace.row_count(); ++row) {
    for (int column = 0; column < 2; ++column) {
      if (trace.assigned(column, row) && !std::isfinite(trace.value(column, row))) ++non_finite;
    }
  }
  FUZZ_CHECK(json["non_finite"] == non_finite);
  for (const nlohmann::json& row : json["rows"]) {
    const size_t index = row["row"].get<size_t>();
    FUZZ_CHECK(index < trace.row_count());
    const nlohmann::json& x = row["x"];
    const double value = trace.value(0, index);
    if (!trace.assigned(0, index)) {
      FUZZ_CHECK(x.is_null());
    } else if (std::isfinite(value)) {
      FUZZ_CHECK(x.is_number() && x.get<double>() == value);
    } else {
      FUZZ_CHECK(x.is_string());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const size_t kind = data[0] % 3;
  sb::DumpOptions options;
  options.path = kPaths[kind];
  options.kind = kKinds[kind];
  if ((data[0] / 3) % 2 == 1) {
    options.rows = sb::RowRequest{data[1], data[1] + data[2], "--rows"};
    if ((data[0] / 6) % 2 == 1) options.rows->last.reset();  // to the end
  }
  const std::string_view bytes = sb::fuzz::as_text(data + 3, size - 3);

  sb::MemoryFileSystem files;
  files.files[options.path] = std::string(bytes);
  const Run text = dump(files, options);
  check_outcome(text, options.path);
  options.json = true;
  const Run json = dump(files, options);
  check_outcome(json, options.path);
  // Text and JSON fail alike, with the same message.
  FUZZ_CHECK(json.status == text.status);
  FUZZ_CHECK(json.err == text.err);
  if (json.status != sb::kExitClean) return 0;
  const nlohmann::json document = nlohmann::json::parse(json.out);  // throws if not JSON
  FUZZ_CHECK(document["bytes"] == bytes.size());
  if (kKinds[kind] == sb::DumpKind::kLineTrace) check_trace_json(document, bytes);
  return 0;
}
