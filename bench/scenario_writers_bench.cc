#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "bench/generated_state.h"
#include "output/scenario_writers.h"
#include "platform/buffered_writer.h"

namespace sb {
namespace {

// A file that copies what it is given into a scratch buffer, as a write
// into the page cache copies it, and counts the bytes: the benchmarks
// measure the serialisation and that one copy, not a device.
class ScratchFile : public OutputFile {
 public:
  bool write(const char* data, size_t size) override {
    for (size_t done = 0; done < size; done += sizeof scratch_) {
      const size_t part = std::min(sizeof scratch_, size - done);
      std::memcpy(scratch_, data + done, part);
      benchmark::ClobberMemory();
    }
    bytes += size;
    return true;
  }
  bool finish() override { return true; }
  bool commit() override { return true; }
  const std::string& target() const override { return name_; }
  const std::string& error() const override { return name_; }

  size_t bytes = 0;

 private:
  char scratch_[1 << 16];
  std::string name_;
};

template <typename Write>
void measure_writer(benchmark::State& bench, Write write) {
  size_t bytes = 0;
  for (auto _ : bench) {
    auto file = std::make_unique<ScratchFile>();
    BufferedWriter out(*file);
    write(out);
    out.flush();
    bytes = file->bytes;
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) * static_cast<int64_t>(bytes));
}

void BM_WriteLineTrace(benchmark::State& bench) {
  const BuildState state =
      generated_state(static_cast<int32_t>(bench.range(0)), /*trace=*/true, /*train=*/false);
  measure_writer(bench, [&](BufferedWriter& out) { write_line_trace(state.line_trace, out); });
}
BENCHMARK(BM_WriteLineTrace)->Arg(302600)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WriteCells(benchmark::State& bench) {
  const BuildState state =
      generated_state(static_cast<int32_t>(bench.range(0)), /*trace=*/false, /*train=*/true);
  measure_writer(bench, [&](BufferedWriter& out) { write_cells(state.track_cells, out); });
}
BENCHMARK(BM_WriteCells)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_WriteRecords(benchmark::State& bench) {
  const BuildState state = generated_state(1000000, /*trace=*/false, /*train=*/true);
  measure_writer(bench, [&](BufferedWriter& out) { write_records(state.general_records, out); });
}
BENCHMARK(BM_WriteRecords)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace sb
