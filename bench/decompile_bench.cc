#include <benchmark/benchmark.h>

#include <string>

#include "app/compile_for_test.h"
#include "app/decompile_command.h"
#include "bench/generated_scenario.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

// The three files of the generated scenario of `length` metres, as the
// decompiler reads them.
CompiledFileSet generated_files(int32_t length) {
  const GeneratedScenario texts = generate_scenario(length);
  MemoryFileSystem files;
  files.files["l.txt"] = texts.line_text;
  files.files["t.txt"] = texts.train_text;
  test::compile_texts(files, "l.txt", "t.txt", "out", kGeneratedScenarioName,
                      kGeneratedTrainNumber);
  const ScenarioFileNames outputs =
      scenario_file_names("out", kGeneratedScenarioName, kGeneratedTrainNumber);
  CompiledFileSet set;
  set.paths = {outputs.line_trace, outputs.records, outputs.cells};
  set.bytes = {files.files[set.paths[0]], files.files[set.paths[1]], files.files[set.paths[2]]};
  return set;
}

// Decompiling the generated scenarios in memory, with the build in memory
// that checks the texts: to set beside BM_GeneratedBuildInMemory.
void BM_GeneratedDecompileInMemory(benchmark::State& bench) {
  const CompiledFileSet files = generated_files(static_cast<int32_t>(bench.range(0)));
  for (auto _ : bench) {
    DecompiledTexts texts;
    std::string error;
    if (!decompile_files(files, &texts, &error)) {
      bench.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(texts);
  }
  bench.SetBytesProcessed(
      static_cast<int64_t>(bench.iterations()) *
      static_cast<int64_t>(files.bytes[0].size() + files.bytes[1].size() + files.bytes[2].size()));
}
BENCHMARK(BM_GeneratedDecompileInMemory)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace sb
