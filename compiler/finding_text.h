#ifndef SCENARIO_BUILDER_COMPILER_FINDING_TEXT_H_
#define SCENARIO_BUILDER_COMPILER_FINDING_TEXT_H_

#include <cstdint>
#include <string>

#include "compiler/finding.h"

namespace sb {

// A distance as the messages write it: "850 m".
std::string metres(int64_t position);

// What a finding says, in plain words, without where it stands: "the signal
// at 850 m needs cell 18, which already holds a speed board".
std::string describe(const Finding& finding);

// Names of the two source texts as the user knows them.
struct TextNames {
  std::string line;
  std::string train;
};

// A compile failure in the form compilers use:
// "train.txt:41:1: error E16: the signal at 850 m needs cell 18, which
// already holds a speed board".
std::string format_compile_error(const Finding& error, const TextNames& names);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_FINDING_TEXT_H_
