#include "app/exit_status.h"

namespace sb {

int exit_status(const BuildReport& report) {
  if (report.end != BuildEnd::kDone) return kExitNotWritten;
  return report.findings.empty() ? kExitClean : kExitCompileError;
}

}  // namespace sb
