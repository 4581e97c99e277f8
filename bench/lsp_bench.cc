// The language server's latency as an editor sees it: the real program,
// `scenario-builder lsp`, holds the built-in pair open; each iteration
// replaces the line text (alternately with a copy that differs in a
// comment, so that every change is checked again) and times the wait from
// the didChange to the publishDiagnostics of that version.  Beside it, the
// wall time of `scenario-builder check` of the same pair on disk, a process
// started for every check.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lsp/file_uri.h"
#include "lsp/server_process_for_test.h"
#include "sources/builtin_scenario.h"
#include "sources/line_list_writer.h"
#include "util/text.h"

extern char** environ;

namespace sb {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

// The built-in pair written into a fresh folder.
struct BuiltinPair {
  fs::path folder;
  fs::path line;
  fs::path train;

  BuiltinPair() {
    folder = fs::temp_directory_path() / ("sb_lsp_bench_" + std::to_string(getpid()));
    fs::create_directories(folder);
    line = folder / "Valmira_Lunerio_linea.txt";
    train = folder / "Valmira_Lunerio_37924-.txt";
    std::ofstream(line, std::ios::binary) << line_list_bytes(builtin_line_text());
    std::ofstream(train, std::ios::binary) << line_list_bytes(builtin_train_text());
  }
  ~BuiltinPair() { fs::remove_all(folder); }
};

Json text_item(const fs::path& path, const std::string& language) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return {{"uri", file_uri_of_path(path.generic_string())},
          {"languageId", language},
          {"version", 1},
          {"text", cp1252_to_utf8(bytes)}};
}

// Each iteration's time, and their median as a counter (ms).
class Samples {
 public:
  void add(benchmark::State& bench, Clock::time_point start) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    bench.SetIterationTime(seconds);
    seconds_.push_back(seconds);
  }
  void report(benchmark::State& bench) {
    if (seconds_.empty()) return;
    std::nth_element(seconds_.begin(), seconds_.begin() + seconds_.size() / 2, seconds_.end());
    bench.counters["median_ms"] = seconds_[seconds_.size() / 2] * 1000.0;
  }

 private:
  std::vector<double> seconds_;
};

// The publication of `uri` at `version`, others passed over; false when
// none came.
bool await_publication(ServerProcess& server, const std::string& uri, int version) {
  for (;;) {
    const Json message = server.next_notification("textDocument/publishDiagnostics");
    if (message.is_null()) return false;
    if (message["params"]["uri"] == uri && message["params"]["version"] == version) return true;
  }
}

void BM_LspChangeToDiagnostics(benchmark::State& bench) {
  const BuiltinPair pair;
  ServerProcess server(SB_PROGRAM);
  server.request("initialize", {{"capabilities", Json::object()}});
  server.notify("initialized", Json::object());
  const Json line = text_item(pair.line, "scenario-line");
  const std::string uri = line["uri"];
  server.notify("textDocument/didOpen", {{"textDocument", line}});
  server.notify("textDocument/didOpen",
                {{"textDocument", text_item(pair.train, "scenario-train")}});
  if (!await_publication(server, uri, 1)) {
    bench.SkipWithError("no diagnostics on open");
    return;
  }
  const std::string texts[] = {line["text"], "- edited\r\n" + line["text"].get<std::string>()};
  int version = 1;
  Samples samples;
  for (auto _ : bench) {
    ++version;
    const auto start = Clock::now();
    server.notify("textDocument/didChange",
                  {{"textDocument", {{"uri", uri}, {"version", version}}},
                   {"contentChanges", Json::array({{{"text", texts[version % 2]}}})}});
    if (!await_publication(server, uri, version)) {
      bench.SkipWithError("no diagnostics after a change");
      break;
    }
    samples.add(bench, start);
  }
  samples.report(bench);
  server.request("shutdown");
  server.notify("exit", nullptr);
  server.wait();
}
BENCHMARK(BM_LspChangeToDiagnostics)
    ->UseManualTime()
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

void BM_CheckCommandWallTime(benchmark::State& bench) {
  const BuiltinPair pair;
  const std::string program = SB_PROGRAM;
  const std::string line = pair.line.string();
  const std::string train = pair.train.string();
  const std::string quiet = (pair.folder / "check.out").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, quiet.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  Samples samples;
  for (auto _ : bench) {
    const auto start = Clock::now();
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("check"),
                    const_cast<char*>(line.c_str()), const_cast<char*>(train.c_str()), nullptr};
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      bench.SkipWithError("scenario-builder check failed");
      break;
    }
    samples.add(bench, start);
  }
  samples.report(bench);
  posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CheckCommandWallTime)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sb
