#ifndef SCENARIO_BUILDER_CHECKS_ERROR_KINDS_H_
#define SCENARIO_BUILDER_CHECKS_ERROR_KINDS_H_

#include <string_view>
#include <vector>

namespace sb {

// The errors a build can report, each with its code (E<code>) and what it
// means in a line, for the rule lists of machine-readable reports.
struct ErrorKind {
  int code;
  std::string_view summary;
};

const std::vector<ErrorKind>& error_kinds();

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_ERROR_KINDS_H_
