#ifndef SCENARIO_BUILDER_COMPILER_FLOW_H_
#define SCENARIO_BUILDER_COMPILER_FLOW_H_

namespace sb {

// How reading goes on after an entry; a text's reader answers with the flow
// its reading ended on.
enum class Flow {
  kNext,         // read on (after the last entry: the text was read to its end)
  kEnd,          // an entry lay outside the line (15): reading ends as at the end of the text
  kStop,         // a failure ends the compilation at once: the next text is not read
  kReadFailure,  // a read failure has been recorded (25)
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_FLOW_H_
