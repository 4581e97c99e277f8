#ifndef SCENARIO_BUILDER_CHECKS_ERROR_KINDS_H_
#define SCENARIO_BUILDER_CHECKS_ERROR_KINDS_H_

#include <string>
#include <vector>

#include "model/error_codes.h"

namespace sb {

// The errors a build can report, each with its code (E<code>) and what it
// means in a line, for the rule lists of machine-readable reports.
struct ErrorKind {
  ErrorCode code;
  std::string summary;
};

const std::vector<ErrorKind>& error_kinds();

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_ERROR_KINDS_H_
