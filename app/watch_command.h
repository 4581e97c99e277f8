#ifndef SCENARIO_BUILDER_APP_WATCH_COMMAND_H_
#define SCENARIO_BUILDER_APP_WATCH_COMMAND_H_

#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "app/compile_command.h"
#include "platform/file_system.h"

namespace sb {

struct WatchOptions;

// Serves the live preview beside the watch of `options`; returns its exit
// status.
using WatchServer =
    std::function<int(const WatchOptions& options, FileSystem& file_system, std::ostream& out)>;

struct WatchOptions {
  // The texts, names and warning options; an empty output directory is
  // the line text's own.
  CompileOptions compile;
  // Asked between waits: true ends the watch.
  std::function<bool()> stop;
  // When set, told of each compile: its diagnostics and timetable report
  // ({"diagnostics", "timetable"}, as compile_command fills them), the
  // texts and built files in memory, and the paths of the files it wrote
  // (none when it left the last good ones).
  std::function<void(const nlohmann::ordered_json& report, FileSystem& built,
                     const std::vector<std::string>& written)>
      compiled;
  // --serve: the live preview on 127.0.0.1, at `port` (0: a free one);
  // --open: shown in the user's browser.
  bool serve = false;
  int port = 0;
  bool open_browser = false;
  // The arguments of the command line as given, after the program's own
  // path: handed as they are to the server program.
  std::vector<std::string> command_line;
  // Serves the preview beside the watch, in this program.  Set in the
  // server program only; elsewhere --serve hands the command line over to
  // it.
  WatchServer serve_here;
};

// The name of the server program, looked for in the program's own directory.
inline constexpr char kServerProgramName[] = "scenario-builder-serve";

// Compiles the two texts now and again whenever either changes on disk.
// Each compile is reported under a line with the time of day: the
// diagnostics as `check` prints them, then what became of the files.  A
// compile without errors writes the three files as `compile` does; one with
// errors (or texts that cannot be read) leaves the files of the last good
// compile as they are.  Returns 0 when stopped, 2 when the texts cannot be
// watched or the first compile finds them unusable (unreadable, unnamed),
// 3 when the system stops telling of changes.  With `serve`, the page and
// the state of each compile are served meanwhile, by `serve_here` or else
// by the server program, which this process becomes (2 when the port
// cannot be had, or where there is no server program).
int watch_command(const WatchOptions& options, FileSystem& file_system, std::ostream& out);

// The watch alone, whatever `serve` says: what serving wraps.
int watch_texts(const WatchOptions& options, FileSystem& file_system, std::ostream& out);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_WATCH_COMMAND_H_
