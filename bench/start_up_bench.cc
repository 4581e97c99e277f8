// The cost of starting the program at all: the wall time of
// `scenario-builder --version`, a process started for every iteration, from
// the spawn to its exit.  What every command pays before its own work:
// loading and binding the shared libraries the executable names, and the
// static constructors.  Beside the wall time, the CPU time the child used
// (user and system, from wait4): the machine's other load shows less in it.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double seconds_of(const timeval& time) {
  return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

void BM_VersionWallTime(benchmark::State& bench) {
  const std::string program = SB_PROGRAM;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<double> seconds;
  std::vector<double> cpu_seconds;
  for (auto _ : bench) {
    const auto start = Clock::now();
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--version"), nullptr};
    pid_t child = 0;
    int status = 0;
    rusage usage{};
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ) != 0 ||
        wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
      bench.SkipWithError("scenario-builder --version failed");
      break;
    }
    seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    bench.SetIterationTime(seconds.back());
    cpu_seconds.push_back(seconds_of(usage.ru_utime) + seconds_of(usage.ru_stime));
  }
  posix_spawn_file_actions_destroy(&actions);
  if (seconds.empty()) return;
  // Medians beside the mean: the machine's other load shows in the tail.
  bench.counters["median_ms"] = median(seconds) * 1000.0;
  bench.counters["cpu_median_ms"] = median(cpu_seconds) * 1000.0;
}
BENCHMARK(BM_VersionWallTime)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace
