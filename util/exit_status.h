#ifndef SCENARIO_BUILDER_UTIL_EXIT_STATUS_H_
#define SCENARIO_BUILDER_UTIL_EXIT_STATUS_H_

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

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_EXIT_STATUS_H_
