// The live preview's server program.  `scenario-builder watch ... --serve`
// becomes this program with its command line as it was, so that the HTTP
// library, and the TLS and compression libraries it loads, are loaded for
// the preview only and not on every run of the main program.  The command
// line is read by the same code, so every message and exit status is the
// main program's.

#include <iostream>
#include <string>
#include <string_view>

#include "app/cli.h"
#include "app/exit_status.h"
#include "app/program_message.h"
#include "app/watch_command.h"
#include "live/browser.h"
#include "live/live_publisher.h"
#include "live/live_state.h"
#include "live/page.h"
#include "platform/file_system.h"
#include "platform/standard_streams.h"
#include "platform/window.h"
#include "server/live_server.h"

namespace sb {
namespace {

// The watch with the live preview served beside it, from before the first
// compile to after the last.
int watch_and_serve(const WatchOptions& options, FileSystem& file_system, std::ostream& out) {
  LiveState state;
  LivePublisher publisher(state, options.compile.line_text, options.compile.train_text);
  LiveServer server(state, std::string(live_page()));
  ServeOptions serve;
  serve.port = options.port;
  std::string error;
  if (!server.start(serve, &error)) {
    begin_message(out) << error << '\n';
    return kExitUsage;
  }
  const std::string url = "http://127.0.0.1:" + std::to_string(server.port()) + "/";
  begin_message(out) << "serving " << url << '\n' << std::flush;
  if (options.open_browser && !open_in_browser(url, &error)) {
    begin_message(out) << error << '\n' << std::flush;
  }
  WatchOptions watched = options;
  watched.compiled = [&](const nlohmann::ordered_json& report, FileSystem& built,
                         const std::vector<std::string>& written) {
    if (options.compiled) options.compiled(report, built, written);
    publisher.compiled(report, built, written);
  };
  const int status = watch_texts(watched, file_system, out);
  server.stop();
  return status;
}

// Whether the command is `watch`: the first argument that is not a -W
// option, which may stand before the command as well as after it.
bool is_watch(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument(argv[i]);
    if (!argument.starts_with("-W")) return argument == "watch";
  }
  return false;
}

}  // namespace
}  // namespace sb

int main(int argc, char** argv) {
  sb::hold_closed_standard_streams();
  // Started by hand with anything but a watch, it would do that command's
  // work (the bare run among them) under another program's name.
  if (!sb::is_watch(argc, argv)) {
    sb::begin_message(std::cerr)
        << sb::kServerProgramName
        << " serves `scenario-builder watch LINE TRAIN --serve`: run that\n";
    return sb::kExitUsage;
  }
  std::unique_ptr<sb::Window> window = sb::make_platform_window(std::cerr);
  return sb::run_cli(argc, argv, sb::disk_file_system(), *window, std::cout, std::cerr,
                     sb::watch_and_serve);
}
