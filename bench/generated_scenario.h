#ifndef SCENARIO_BUILDER_BENCH_GENERATED_SCENARIO_H_
#define SCENARIO_BUILDER_BENCH_GENERATED_SCENARIO_H_

#include <cstdint>
#include <string>

namespace sb {

// Names of the generated scenario, so that `compile` derives them from the
// text names: Generato_linea.txt and Generato_12345-.txt.
inline constexpr char kGeneratedScenarioName[] = "Generato";
inline constexpr char kGeneratedTrainNumber[] = "12345";

// The two source texts of a scenario whose line is `length` metres long,
// laid out like the built-in one and growing with the length: a curve every
// kilometre, a gradient change every 500 m, a speed board every 2 km, up to
// 80 mountain stretches and 40 indication boards; a speed limit every 5 km,
// up to 39 stations spread over the line, a slowdown every 25 km and a
// signal every 1.5 km.  Every object keeps a free cell on either side, so
// the texts compile without an error for any length from 10 km to 1000 km.
struct GeneratedScenario {
  std::string line_text;
  std::string train_text;
};

GeneratedScenario generate_scenario(int32_t length);

}  // namespace sb

#endif  // SCENARIO_BUILDER_BENCH_GENERATED_SCENARIO_H_
