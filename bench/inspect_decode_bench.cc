#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "app/dump_command.h"
#include "format/cell_geometry.h"
#include "format/trace_elements.h"
#include "inspect/scenario_decoder.h"
#include "inspect/trace_summary.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

template <typename Value>
void append_element(std::string& bytes, Value value) {
  char element[kTraceElementBytes];
  const char* end = store_trace_element(element, value);
  bytes.append(element, static_cast<size_t>(end - element));
}

// The trace file of a route of `length` metres as the build writes it: two
// integer rows, doubles, two unset rows, per column.  The longest route
// (1000000 m) gives about 20 MB.
std::string trace_file(int32_t length) {
  const auto last = static_cast<int32_t>(last_trace_row_for_route(length));
  std::string bytes;
  bytes.reserve(static_cast<size_t>(20) * static_cast<size_t>(last));
  for (int column = 0; column < 2; ++column) {
    append_element(bytes, int16_t{0});
    append_element(bytes, static_cast<int16_t>(column));
    for (int32_t row = 2; row <= last - 2; ++row) {
      const double value = column == 0 ? 0.001 * row : static_cast<double>(row);
      append_element(bytes, value);
    }
    append_element(bytes, TraceTag::kUnset);
    append_element(bytes, TraceTag::kUnset);
  }
  return bytes;
}

void BM_DecodeLineTrace(benchmark::State& bench) {
  const std::string bytes = trace_file(static_cast<int32_t>(bench.range(0)));
  for (auto _ : bench) {
    DecodedTrace trace;
    std::string error;
    if (!decode_line_trace(bytes, &trace, &error)) {
      bench.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(trace.value(1, trace.row_count() - 3));
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_DecodeLineTrace)->Arg(302600)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SummarizeLineTrace(benchmark::State& bench) {
  DecodedTrace trace;
  std::string error;
  decode_line_trace(trace_file(static_cast<int32_t>(bench.range(0))), &trace, &error);
  for (auto _ : bench) benchmark::DoNotOptimize(summarize_trace(trace).length);
}
BENCHMARK(BM_SummarizeLineTrace)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The whole text dump of the trace, reading the file included.
void BM_DumpLineTrace(benchmark::State& bench) {
  MemoryFileSystem files;
  files.files["x_linea.dat"] = trace_file(static_cast<int32_t>(bench.range(0)));
  DumpOptions options;
  options.path = "x_linea.dat";
  options.rows = RowRequest{0, 99, "--rows 0:99"};
  for (auto _ : bench) {
    std::ostringstream out;
    std::ostringstream err;
    if (dump_command(options, files, out, err) != kExitClean) {
      bench.SkipWithError(err.str().c_str());
      break;
    }
    benchmark::DoNotOptimize(out.str().size());
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(files.files["x_linea.dat"].size()));
}
BENCHMARK(BM_DumpLineTrace)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb
