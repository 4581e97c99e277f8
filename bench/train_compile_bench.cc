#include <benchmark/benchmark.h>

#include <string>

#include "bench/generated_scenario.h"
#include "compiler/line_reader.h"
#include "compiler/train_reader.h"

namespace sb {
namespace {

// The train text of the generated scenario, on a fresh copy of the state
// its line text left (without the line trace, which the train never reads).
void BM_CompileTrainText(benchmark::State& bench) {
  const auto length = static_cast<int32_t>(bench.range(0));
  const GeneratedScenario texts = generate_scenario(length);
  const std::string& text = texts.train_text;
  BuildState line_only;
  Findings line_findings;
  const LineTextResult line = compile_line_text(line_only, texts.line_text, line_findings);
  for (auto _ : bench) {
    bench.PauseTiming();
    BuildState state = line_only;
    bench.ResumeTiming();
    Findings findings;
    const Flow flow = compile_train_text(state, text, line, findings);
    if (flow != Flow::kNext || !findings.empty()) {
      const std::string error =
          "train text refused with code " + std::to_string(findings.empty() ? 0 : findings[0].code);
      bench.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(state.track_cells.data());
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CompileTrainText)->Arg(302600)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sb
