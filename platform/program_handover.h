#ifndef SCENARIO_BUILDER_PLATFORM_PROGRAM_HANDOVER_H_
#define SCENARIO_BUILDER_PLATFORM_PROGRAM_HANDOVER_H_

#include <string>
#include <vector>

namespace sb {

// Why a handover failed.
struct HandoverFailure {
  // True when there is no program at the path given.
  bool missing = false;
  // The system's words for the failure.
  std::string reason;
};

// Replaces the running program with `program`, given `arguments` after its
// own path: the same process, environment and standard streams, so that
// its exit status and signals are the caller's.  Returns only when that
// could not be done, saying why.
HandoverFailure hand_over_to(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_PROGRAM_HANDOVER_H_
