#ifndef SCENARIO_BUILDER_APP_CLI_FOR_TEST_H_
#define SCENARIO_BUILDER_APP_CLI_FOR_TEST_H_

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli.h"
#include "platform/memory_file_system.h"
#include "platform/window.h"

namespace sb {

// What one command line gave: its exit status and what it printed.
struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the command line `args` (without the program's name) on `files`,
// with a console window whose notices are dropped.
inline Outcome run_cli_on(MemoryFileSystem& files, std::vector<const char*> args) {
  args.insert(args.begin(), "scenario-builder");
  std::ostringstream notices, out, err;
  std::unique_ptr<Window> window = make_console_window(notices);
  Outcome result;
  result.status = run_cli(static_cast<int>(args.size()), args.data(), files, *window, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_CLI_FOR_TEST_H_
