#ifndef SCENARIO_BUILDER_APP_CLI_H_
#define SCENARIO_BUILDER_APP_CLI_H_

#include <ostream>

#include "app/watch_command.h"
#include "platform/file_system.h"
#include "platform/window.h"

namespace sb {

// The command line.  Bare, it is the program's one job in the executable's
// directory; subcommands serve authors of scenarios of their own.  Returns
// the exit status: 0 clean, 1 compile error (files written), 2 usage error
// or unreadable input (nothing written), 3 stopped with no binary file
// written or an output file not written.  `serve_here`, given in the
// server program only, serves `watch --serve` in this process.
int run_cli(int argc, const char* const* argv, FileSystem& file_system, Window& window,
            std::ostream& out, std::ostream& err, const WatchServer& serve_here = {});

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_CLI_H_
