#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "app/exit_status.h"
#include "compiler/memorizza_percorso.h"
#include "bench/generated_scenario.h"
#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "sources/builtin_scenario.h"

namespace sb {
namespace {

constexpr char kDirectory[] = "scenari";

int64_t output_bytes(const MemoryFileSystem& files, const ScenarioFileNames& names) {
  int64_t bytes = 0;
  for (const std::string* name : {&names.line_trace, &names.records, &names.cells}) {
    const auto it = files.files.find(*name);
    if (it != files.files.end()) bytes += static_cast<int64_t>(it->second.size());
  }
  return bytes;
}

// The whole build in memory, from the two source texts to the three binary
// files: compile, marker pass, stamps, codes and writing.  The texts are put
// back before every build, which deletes them.
void run_build(benchmark::State& bench, const std::string& name, const std::string& train,
               const std::map<std::string, std::string>& texts, const BuildPlan& plan) {
  int64_t bytes = 0;
  for (auto _ : bench) {
    MemoryFileSystem files;
    files.files = texts;
    BuildState state;
    state.scenario_name = name;
    state.train_number = train;
    const BuildReport report = memorizza_percorso(state, kWithLineTrace, files, plan);
    if (exit_status(report) != 0) {
      bench.SkipWithError("the build did not end clean");
      break;
    }
    bytes = output_bytes(files, plan.outputs);
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) * bytes);
}

BuildPlan plan_for(const std::string& name, const std::string& train) {
  BuildPlan plan;
  plan.texts.line_path = join_path(kDirectory, line_text_name(name));
  plan.texts.train_path = join_path(kDirectory, train_text_name(name, train));
  plan.outputs = scenario_file_names(kDirectory, name, train);
  return plan;
}

// The bare run's build of the built-in scenario (302.6 km), without the
// process, the texts' writing and the disk.
void BM_BuiltinBuildInMemory(benchmark::State& bench) {
  const std::string name = kBuiltinScenarioName;
  const std::string train = kBuiltinTrainNumber;
  MemoryFileSystem sources;
  std::string error;
  if (!dati_linea(sources, kDirectory, name, &error) ||
      !dati_treno(sources, kDirectory, name, train, &error)) {
    bench.SkipWithError(error.c_str());
    return;
  }
  run_build(bench, name, train, sources.files, plan_for(name, train));
}
// Real time, here and below: the trace of a long line is computed on a
// helper thread.
BENCHMARK(BM_BuiltinBuildInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same build of the generated scenarios of the whole-run scale series.
void BM_GeneratedBuildInMemory(benchmark::State& bench) {
  const std::string name = kGeneratedScenarioName;
  const std::string train = kGeneratedTrainNumber;
  const BuildPlan plan = plan_for(name, train);
  const GeneratedScenario texts = generate_scenario(static_cast<int32_t>(bench.range(0)));
  run_build(bench, name, train,
            {{plan.texts.line_path, texts.line_text}, {plan.texts.train_path, texts.train_text}},
            plan);
}
BENCHMARK(BM_GeneratedBuildInMemory)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace sb
