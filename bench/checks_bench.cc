#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/generated_scenario.h"
#include "checks/text_check.h"

namespace sb {
namespace {

// Both texts of the generated scenario walked by the checks, as `check` and
// `compile` do beside the build.
void BM_CheckTexts(benchmark::State& bench) {
  const auto length = static_cast<int32_t>(bench.range(0));
  const GeneratedScenario texts = generate_scenario(length);
  for (auto _ : bench) {
    std::vector<Diagnostic> diagnostics;
    const LineFacts line = check_line_text(texts.line_text, &diagnostics);
    const TrainFacts train = check_train_text(texts.train_text, line, &diagnostics);
    if (!diagnostics.empty()) {
      bench.SkipWithError(diagnostics.front().message.c_str());
      break;
    }
    benchmark::DoNotOptimize(train.placements.data());
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(texts.line_text.size() + texts.train_text.size()));
}
BENCHMARK(BM_CheckTexts)->Arg(302600)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sb
