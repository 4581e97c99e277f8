// `watch --serve` as a user runs it: the program itself (which becomes the
// server program beside it), a client of its server, an edit on disk and
// Ctrl-C.
#ifdef SB_HAVE_SERVER

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/new_command.h"
#include "server/http_for_test.h"
#include "platform/file_system.h"
#include "app/exit_status.h"

namespace sb {
namespace {

namespace fs = std::filesystem;
using test::body_of;
using test::own_host;
using test::RawConnection;
using test::status_of;

std::string read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class WatchServe : public testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() / ("watch-serve-" + std::to_string(getpid()));
    fs::remove_all(directory_);
    NewOptions starter;
    starter.scenario_name = "Mia";
    starter.train_number = "101";
    starter.directory = directory_.string();
    std::ostringstream ignored;
    ASSERT_EQ(new_command(starter, disk_file_system(), ignored, ignored), kExitClean);
  }
  void TearDown() override {
    if (child_ > 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
    fs::remove_all(directory_);
  }

  fs::path line() const { return directory_ / "Mia_linea.txt"; }
  fs::path train() const { return directory_ / "Mia_101-.txt"; }

  // Starts `program watch LINE TRAIN --serve`, its standard output and
  // error read into printed_.
  void launch(const std::string& program) {
    int pipe_ends[2];
    ASSERT_EQ(pipe(pipe_ends), 0);
    child_ = fork();
    if (child_ == 0) {
      dup2(pipe_ends[1], 1);
      dup2(pipe_ends[1], 2);
      close(pipe_ends[0]);
      close(pipe_ends[1]);
      std::string path = program;
      std::string args[] = {"watch", line().string(), train().string(), "--serve"};
      char* argv[] = {path.data(),    args[0].data(), args[1].data(),
                      args[2].data(), args[3].data(), nullptr};
      execv(path.c_str(), argv);
      _exit(127);
    }
    close(pipe_ends[1]);
    out_ = pipe_ends[0];
  }
  // Starts `watch --serve` and returns the port it prints.
  int start() {
    launch(SB_PROGRAM);
    const std::string said = printed("(Ctrl-C ends)\n");
    const std::string marker = "scenario-builder: serving http://127.0.0.1:";
    const size_t at = said.find(marker);
    if (at == std::string::npos) return 0;
    return std::stoi(said.substr(at + marker.size()));
  }
  // What the program printed, once `part` is among it.
  std::string printed(const std::string& part) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (printed_.find(part) == std::string::npos &&
           std::chrono::steady_clock::now() < deadline) {
      pollfd waiting{out_, POLLIN, 0};
      if (poll(&waiting, 1, 100) <= 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(out_, buffer, sizeof buffer);
      if (got <= 0) break;
      printed_.append(buffer, static_cast<size_t>(got));
    }
    return printed_;
  }
  // The exit status once the program has ended; -1 when it did not end
  // within the patience or not by exiting.
  int exit_status() {
    for (int i = 0; i < 500; ++i) {
      int status = 0;
      if (waitpid(child_, &status, WNOHANG) == child_) {
        child_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(10 * 1000);
    }
    return -1;
  }

  fs::path directory_;
  pid_t child_ = 0;
  int out_ = -1;
  std::string printed_;
};

TEST_F(WatchServe, AnEditReachesTheEventStreamAndCtrlCEndsWithClientsConnected) {
  const int port = start();
  ASSERT_GT(port, 0) << printed_;
  const nlohmann::json first =
      nlohmann::json::parse(body_of(test::get(port, "/scenario.json", own_host(port))));
  EXPECT_EQ(first["version"], 1);
  EXPECT_EQ(first["scene"]["scenario"], "Mia");
  EXPECT_EQ(first["stations"][0]["name"], "PARTENZA");

  RawConnection stream(port);
  stream.send("GET /events HTTP/1.1\r\nHost: " + own_host(port) + "\r\n\r\n");
  ASSERT_NE(stream.read_until("data: {\"version\": 1}\n\n").find("data: {\"version\": 1}"),
            std::string::npos);
  // An edit with an error: a new version, its diagnostic, the last scene.
  const std::string text = read(line());
  std::string broken = text;
  broken.replace(broken.find("lunghezza percorso,    6000"), 27, "lunghezza percorso,    2000000");
  std::ofstream(line(), std::ios::binary) << broken;
  const auto saved = std::chrono::steady_clock::now();
  ASSERT_NE(stream.read_until("data: {\"version\": 2}\n\n").find("data: {\"version\": 2}"),
            std::string::npos);
  EXPECT_LT(std::chrono::steady_clock::now() - saved, std::chrono::seconds(1));
  const nlohmann::json second =
      nlohmann::json::parse(body_of(test::get(port, "/scenario.json", own_host(port))));
  EXPECT_EQ(second["errors"], 1);
  EXPECT_EQ(second["diagnostics"][0]["line"], 6);
  EXPECT_EQ(second["diagnostics"][0]["code"], "E1");
  EXPECT_EQ(second["scene_version"], 1);

  RawConnection idle(port);
  ASSERT_EQ(kill(child_, SIGINT), 0);
  EXPECT_EQ(exit_status(), kExitClean);
  EXPECT_NE(printed("stopped watching\n").find("stopped watching\n"), std::string::npos);
}

TEST_F(WatchServe, WithoutItsServerProgramSaysWhereItLookedAndExitsTwo) {
  const fs::path alone = directory_ / "alone";
  fs::create_directories(alone);
  fs::copy_file(SB_PROGRAM, alone / "scenario-builder");
  launch((alone / "scenario-builder").string());
  const std::string expected = "scenario-builder: --serve needs the server program " +
                               (alone / "scenario-builder-serve").string() + ", which is missing\n";
  EXPECT_EQ(exit_status(), kExitUsage);
  EXPECT_EQ(printed(expected), expected);
}

// What the server program says on its streams, and its exit status, run
// with `arguments`.
struct Said {
  std::string text;
  int status;
};
Said run_server_program(const std::string& arguments) {
  const std::string run = std::string(SB_SERVER_PROGRAM) + " " + arguments + " 2>&1";
  FILE* pipe = popen(run.c_str(), "r");
  if (pipe == nullptr) return {"popen failed", -1};
  std::string said(256, '\0');
  said.resize(fread(said.data(), 1, said.size(), pipe));
  const int status = pclose(pipe);
  return {said, WEXITSTATUS(status)};
}

TEST(ServerProgram, RefusesAnythingButAWatch) {
  for (const char* command : {"", "compile"}) {
    const Said said = run_server_program(command);
    EXPECT_EQ(said.text,
              "scenario-builder: scenario-builder-serve serves `scenario-builder watch LINE TRAIN "
              "--serve`: run that\n")
        << command;
    EXPECT_EQ(said.status, kExitUsage) << command;
  }
}

TEST(ServerProgram, TakesTheWarningOptionsBeforeTheWatch) {
  // The main program reads -W options before the command too, and hands
  // them over where they stand: the watch's own parser then speaks.
  const Said said = run_server_program("-Wall watch");
  EXPECT_EQ(said.text, "LINE is required\nRun with --help for more information.\n");
  EXPECT_EQ(said.status, kExitUsage);
}

}  // namespace
}  // namespace sb

#endif  // SB_HAVE_SERVER
