#include "compiler/finding.h"

#include <utility>

namespace sb {

Finding failure_of(ErrorCode code, SourceLocation location) {
  Finding finding;
  finding.code = code;
  finding.location = location;
  return finding;
}

Finding cell_taken(ErrorCode code, const BuildState& state, int64_t cell) {
  Finding finding = failure_of(code);
  finding.cell = cell;
  if (state.cell_exists(cell)) finding.holder = state.cell(static_cast<int32_t>(cell)).kind;
  return finding;
}

Finding outside_the_line(const BuildState& state) {
  Finding finding = failure_of(kOutsideTheLine);
  finding.value = state.cell_last_index;
  return finding;
}

Finding read_failure(ReadCause cause, std::string detail, SourceLocation location) {
  Finding finding = failure_of(kReadFailed, location);
  finding.cause = cause;
  finding.detail = std::move(detail);
  return finding;
}

bool refuse(Finding* refusal, Finding finding) {
  *refusal = std::move(finding);
  return false;
}

}  // namespace sb
