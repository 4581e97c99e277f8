// The cost of starting the program at all: the wall time of
// `scenario-builder --version`, a process started for every iteration, from
// the spawn to its exit.  What every command pays before its own work:
// loading and binding the shared libraries the executable names, and the
// static constructors.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

void BM_VersionWallTime(benchmark::State& bench) {
  const std::string program = SB_PROGRAM;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<double> seconds;
  for (auto _ : bench) {
    const auto start = Clock::now();
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--version"), nullptr};
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      bench.SkipWithError("scenario-builder --version failed");
      break;
    }
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    bench.SetIterationTime(seconds.back());
  }
  posix_spawn_file_actions_destroy(&actions);
  if (seconds.empty()) return;
  // The median beside the mean: the machine's other load shows in the tail.
  std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
  bench.counters["median_ms"] = seconds[seconds.size() / 2] * 1000.0;
}
BENCHMARK(BM_VersionWallTime)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace
