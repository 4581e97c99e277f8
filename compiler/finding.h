#ifndef SCENARIO_BUILDER_COMPILER_FINDING_H_
#define SCENARIO_BUILDER_COMPILER_FINDING_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/build_state.h"
#include "model/error_codes.h"
#include "model/source_location.h"

namespace sb {

// A failure the compiler found, as a value.  The readers, the recorders and
// the build collect findings in the order they are found; nothing about them
// is kept in the build state.
struct Finding {
  ErrorCode code = kNoError;
  // The keyword field of the failing entry, or where reading failed; line 0
  // when the failure belongs to a text as a whole.
  SourceLocation location;
  // Metres: where the failing entry stands, when the failure names it.
  std::optional<int32_t> position;
  // The cell the entry needed and what held it when it was refused because
  // that cell was taken (-1 and nothing otherwise).
  int64_t cell = -1;
  std::optional<uint8_t> holder;
  // One more number the failure names: the route length refused, the
  // cab-signalling start or end, the line's last cell for an entry outside it,
  // the record of a chainage that is not a multiple of 50 m.
  int64_t value = 0;
  // What went wrong, for a read failure.
  std::string detail;
  ReadCause cause = ReadCause::kNone;

  bool operator==(const Finding&) const = default;
};

using Findings = std::vector<Finding>;

// A failure that names nothing but its code (and where, once the reader has
// placed it).
Finding failure_of(ErrorCode code, SourceLocation location = {});

// A refusal because `cell` already holds something.
Finding cell_taken(ErrorCode code, const BuildState& state, int64_t cell);

// A refusal because the entry needs cells beyond the line's last one.
Finding outside_the_line(const BuildState& state);

// A read failure: why, what went wrong and where.
Finding read_failure(ReadCause cause, std::string detail, SourceLocation location);

// A recorder's refusal: sets `*refusal` to `finding` and answers false.
bool refuse(Finding* refusal, Finding finding);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_FINDING_H_
