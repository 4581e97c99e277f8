#ifndef SCENARIO_BUILDER_UTIL_EXIT_STATUS_H_
#define SCENARIO_BUILDER_UTIL_EXIT_STATUS_H_

namespace sb {

// The exit status of every command.
enum ExitStatus : int {
  kExitClean = 0,  // done; warnings allowed
  kExitCompileError =
      1,                // a compile error was recorded, the files written as the build writes them
  kExitUsage = 2,       // a usage error or an input that cannot be read: nothing written
  kExitNotWritten = 3,  // the build stopped with no binary file, or an output not written
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_EXIT_STATUS_H_
