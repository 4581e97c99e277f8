#include <benchmark/benchmark.h>

#include <string>

#include "bench/generated_scenario.h"
#include "frontend/field_reader.h"

namespace sb {
namespace {

// Every field of the 1000 km line text read as text, as the walk over
// keyword fields reads them.
void BM_ReadTextFields(benchmark::State& bench) {
  const std::string text = generate_scenario(1000000).line_text;
  std::string field;
  for (auto _ : bench) {
    FieldReader reader(text);
    size_t fields = 0;
    while (!reader.at_end() && reader.read_text(&field)) ++fields;
    benchmark::DoNotOptimize(fields);
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadTextFields)->Unit(benchmark::kMicrosecond);

// About 1 MB of whole numbers as entries write them: blanks, commas, line ends.
void BM_ReadLongFields(benchmark::State& bench) {
  std::string text;
  for (int32_t i = 0; text.size() < (1 << 20); ++i) {
    text += "  " + std::to_string(i * 50) + ",   " + std::to_string(i % 300 - 150) + ",  7\r\n";
  }
  for (auto _ : bench) {
    FieldReader reader(text);
    int64_t sum = 0;
    int32_t value = 0;
    while (!reader.at_end() && reader.read_long(&value)) sum += value;
    benchmark::DoNotOptimize(sum);
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadLongFields)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sb
