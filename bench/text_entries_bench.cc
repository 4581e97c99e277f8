#include <benchmark/benchmark.h>

#include <string>

#include "bench/generated_scenario.h"
#include "frontend/text_entries.h"
#include "sources/builtin_scenario.h"
#include "sources/line_list_writer.h"

namespace sb {
namespace {

// The built-in pair read into fields and entries, as an editor would have it
// read again on every keystroke.
void BM_ReadBuiltinEntries(benchmark::State& bench) {
  const std::string line = line_list_bytes(builtin_line_text());
  const std::string train = line_list_bytes(builtin_train_text());
  for (auto _ : bench) {
    const TextEntries line_entries = read_text_entries(line, SourceLocation::Text::kLine);
    const TextEntries train_entries = read_text_entries(train, SourceLocation::Text::kTrain);
    benchmark::DoNotOptimize(line_entries.entries.size() + train_entries.entries.size());
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(line.size() + train.size()));
}
BENCHMARK(BM_ReadBuiltinEntries)->Unit(benchmark::kMicrosecond);

// The 1000 km generated line text: how the reading grows with the text.
void BM_ReadGeneratedLineEntries(benchmark::State& bench) {
  const std::string text = generate_scenario(1000000).line_text;
  for (auto _ : bench) {
    const TextEntries entries = read_text_entries(text, SourceLocation::Text::kLine);
    benchmark::DoNotOptimize(entries.entries.size());
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadGeneratedLineEntries)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sb
