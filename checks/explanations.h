#ifndef SCENARIO_BUILDER_CHECKS_EXPLANATIONS_H_
#define SCENARIO_BUILDER_CHECKS_EXPLANATIONS_H_

#include <string>
#include <string_view>
#include <vector>

#include "checks/diagnostic_code.h"

namespace sb {

// What one error or warning code means, at more length than its message:
// `explain CODE` prints it, and the format reference lists every one.
struct Explanation {
  DiagnosticCode code;
  std::string_view meaning;  // what the diagnostic says happened
  std::string_view matters;  // why it matters to the simulator
  std::string_view wrong;    // a text that gets it (UTF-8)
  std::string_view right;    // the same text put right
};

// Every code a build can report, the errors first, each in code order.
const std::vector<Explanation>& explanations();

// The explanation of "E22", "W31" (either letter case) or a warning's name
// ("encoding"); null when none has that code or name.
const Explanation* find_explanation(std::string_view code_or_name);

// The explanation as `explain` prints it and the reference lists it: a head
// line with the code, the warning's name and level and the summary, then
// the meaning, why it matters, and the two examples indented as code.
std::string render_explanation(const Explanation& explanation);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_EXPLANATIONS_H_
