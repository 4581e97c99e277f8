#ifndef SCENARIO_BUILDER_APP_EXIT_STATUS_H_
#define SCENARIO_BUILDER_APP_EXIT_STATUS_H_

#include "compiler/memorizza_percorso.h"

namespace sb {

// The exit status of every command.
enum ExitStatus : int {
  // Done; warnings allowed.
  kExitClean = 0,
  // A compile error was recorded; the files were written as the build writes them.
  kExitCompileError = 1,
  // A usage error or an input that cannot be read: nothing written.
  kExitUsage = 2,
  // The build stopped with no binary file, or an output was not written.
  kExitNotWritten = 3,
};

// Exit status of a build: clean (warnings allowed), a compile error with the
// files written as the build writes them, or stopped with no binary file
// written or an output file not written.
int exit_status(const BuildReport& report);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_EXIT_STATUS_H_
