#include <benchmark/benchmark.h>

#include "compiler/marker_pass.h"
#include "bench/generated_state.h"

namespace sb {
namespace {

// The code points around the slowdowns of the generated scenario, on a
// fresh copy of the compiled cells each time.
void BM_PlaceCodePoints(benchmark::State& bench) {
  const BuildState compiled =
      generated_state(static_cast<int32_t>(bench.range(0)), /*trace=*/false, /*train=*/true);
  for (auto _ : bench) {
    bench.PauseTiming();
    BuildState state = compiled;
    bench.ResumeTiming();
    benchmark::DoNotOptimize(place_code_points(state));
  }
  bench.SetItemsProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(compiled.track_cells.size()));
}
BENCHMARK(BM_PlaceCodePoints)->Arg(302600)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sb
