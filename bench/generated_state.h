#ifndef SCENARIO_BUILDER_BENCH_GENERATED_STATE_H_
#define SCENARIO_BUILDER_BENCH_GENERATED_STATE_H_

#include <cstdint>
#include <stdexcept>
#include <string>

#include "bench/generated_scenario.h"
#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "model/build_state.h"

namespace sb {

// The build state of the generated scenario of `length` metres after its
// line text (with the line trace when `trace` is set) and, when `train` is
// set, its train text.  Throws when either text is refused, so that a
// benchmark never measures a build that stopped early.
inline BuildState generated_state(int32_t length, bool trace, bool train) {
  const GeneratedScenario texts = generate_scenario(length);
  BuildState state;
  state.scenario_name = kGeneratedScenarioName;
  state.train_number = kGeneratedTrainNumber;
  state.trace_flag = trace ? 1 : 0;
  Findings findings;
  const LineTextResult line = compile_line_text(state, texts.line_text, findings);
  if (train && findings.empty()) compile_train_text(state, texts.train_text, line, findings);
  if (!findings.empty()) {
    throw std::runtime_error("the generated scenario of " + std::to_string(length) +
                             " m is refused with code " + std::to_string(findings[0].code));
  }
  return state;
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_BENCH_GENERATED_STATE_H_
