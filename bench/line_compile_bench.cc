#include <benchmark/benchmark.h>

#include <string>

#include "bench/generated_scenario.h"
#include "compiler/line_reader.h"

namespace sb {
namespace {

void BM_CompileLineText(benchmark::State& bench) {
  const std::string text = generate_scenario(static_cast<int32_t>(bench.range(0))).line_text;
  for (auto _ : bench) {
    BuildState state;
    state.trace_flag = 1;
    Findings findings;
    const LineTextResult result = compile_line_text(state, text, findings);
    if (!findings.empty()) {
      bench.SkipWithError(
          ("line text refused with code " + std::to_string(findings[0].code)).c_str());
      break;
    }
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(state.line_trace.x(state.trace_last_index - 2));
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(text.size()));
}
// Real time: the trace of a long line is computed on a helper thread.
BENCHMARK(BM_CompileLineText)
    ->Arg(302600)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace sb
