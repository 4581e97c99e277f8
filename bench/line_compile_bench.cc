#include <benchmark/benchmark.h>

#include <string>

#include "compiler/line_reader.h"

namespace sb {
namespace {

void append_entry(std::string& text, const std::string& keyword, std::initializer_list<int> values) {
  text += keyword;
  for (int value : values) text += ",  " + std::to_string(value);
  text += "\r\n";
}

// A line of `length` metres laid out like the built-in one: a curve every
// kilometre, a gradient change every 500 m, a speed board and an indication
// board every 2 km, and 80 mountain stretches.
std::string generated_line(int32_t length) {
  std::string text =
      "[generale]\r\nlunghezza percorso,    " + std::to_string(length) +
      "\r\nprogressiva chilometrica uno,    0,    350000,    0\r\n"
      "sfondo uno,    0\r\nsfondo due,    1\r\nsfondo tre,    0\r\n"
      "ripetizione segnali 4 codici,    50000,    100000\r\n[curve]\r\n";
  for (int32_t start = 100; start + 500 < length; start += 1000) {
    const int cls = 1 + (start / 1000) % 6;
    append_entry(text, std::string(start % 2000 == 100 ? "curvad" : "curvas") + std::to_string(cls),
                 {start, 400});
  }
  text += "[pendenze]\r\n";
  for (int32_t position = 0; position < length; position += 500) {
    append_entry(text, "pendenza", {position, (position / 500) % 16 - 8});
  }
  text += "[montagne]\r\n";
  for (int i = 0; i < 80; ++i) append_entry(text, "montagna", {i * 2000 + 200, i * 2000 + 500, 12});
  text += "[cartelli]\r\n";
  for (int32_t position = 1000; position < length; position += 2000) {
    append_entry(text, "indicatori_vmax", {position, 90, 95, 100, 0, 90, 95, 100, 0});
  }
  text += "[indicazioni]\r\n";
  for (int i = 0; i < 80; ++i) {
    text += "cartello_indicatore,  " + std::to_string(i * 2000 + 1500) + ",   (Km " +
            std::to_string(i) + ")\r\n";
  }
  text += "[fine]\r\n";
  return text;
}

void BM_CompileLineText(benchmark::State& bench) {
  const std::string text = generated_line(static_cast<int32_t>(bench.range(0)));
  for (auto _ : bench) {
    BuildState state;
    state.trace_flag = 1;
    const LineTextResult result = compile_line_text(state, text);
    if (state.error_code != 0) {
      bench.SkipWithError(("line text refused with code " + std::to_string(state.error_code)).c_str());
      break;
    }
    benchmark::DoNotOptimize(result);
    benchmark::DoNotOptimize(state.line_trace.x(state.trace_last_index - 2));
  }
  bench.SetBytesProcessed(static_cast<int64_t>(bench.iterations()) *
                          static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CompileLineText)->Arg(302600)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb
