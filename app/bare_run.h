#ifndef SCENARIO_BUILDER_APP_BARE_RUN_H_
#define SCENARIO_BUILDER_APP_BARE_RUN_H_

#include <ostream>
#include <string>

#include "platform/file_system.h"
#include "platform/window.h"

namespace sb {

struct BareRunOptions {
  std::string directory;      // where every file of the run lives
  bool keep_sources = false;  // leave the two source texts after reading them
};

// The program's one job: shows the waiting notice, writes the built-in
// scenario's two source texts and the three driver documents, compiles the
// texts into the three binary files and ends.  The directory is created when
// missing.  A source text already there that differs from the built-in one
// is first renamed aside (NAME_linea.txt.bak, or .2.bak and on when that is
// taken) with a notice on `diagnostics`: the run destroys only what it wrote.
// Compile errors and marker warnings go to `diagnostics`; a stopped build
// shows its message in the window.  Returns the exit status.
int bare_run(const BareRunOptions& options, FileSystem& file_system, Window& window,
             std::ostream& diagnostics);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_BARE_RUN_H_
