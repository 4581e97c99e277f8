// The program itself, run as a user runs it, for what only a real process
// shows: its standard streams full or closed.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace sb {
namespace {

namespace fs = std::filesystem;

enum class Stdout { kNull, kFull, kClosed };

struct Outcome {
  int status = -1;  // the exit status; -1 when the program did not exit
  std::string err;
};

// Runs the program with `args`, its standard output as `out`, and collects
// its standard error.
Outcome run_program(const std::vector<std::string>& args, Stdout out) {
  int err_pipe[2];
  if (pipe(err_pipe) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(err_pipe[1], 2);
    close(err_pipe[0]);
    close(err_pipe[1]);
    if (out == Stdout::kClosed) {
      close(1);
    } else {
      const int target = open(out == Stdout::kFull ? "/dev/full" : "/dev/null", O_WRONLY);
      dup2(target, 1);
      close(target);
    }
    std::vector<char*> argv;
    std::string program = SB_PROGRAM;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(err_pipe[1]);
  Outcome outcome;
  char buffer[4096];
  for (ssize_t got; (got = read(err_pipe[0], buffer, sizeof buffer)) > 0;) {
    outcome.err.append(buffer, static_cast<size_t>(got));
  }
  close(err_pipe[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  return outcome;
}

class Program : public testing::Test {
 protected:
  // One bare run's files, texts kept, shared by the tests.
  static void SetUpTestSuite() {
    dir_ = new fs::path(fs::temp_directory_path() / ("sb-program-" + std::to_string(getpid())));
    fs::remove_all(*dir_);
    ASSERT_EQ(
        run_program({"--dir", (*dir_ / "w").string(), "--keep-sources"}, Stdout::kNull).status, 0);
  }
  static void TearDownTestSuite() {
    fs::remove_all(*dir_);
    delete dir_;
  }
  static std::string at(const std::string& name) { return (*dir_ / name).string(); }

  static fs::path* dir_;
};

fs::path* Program::dir_ = nullptr;

// Output that cannot be written is a failure said on standard error, never
// a clean exit; the same commands exit 0 when their output is taken.
TEST_F(Program, AStandardOutputThatCannotBeWrittenFailsTheCommand) {
  const std::string sim = at("w/Valmira_Lunerio_37924.sim");
  const std::vector<std::vector<std::string>> commands = {
      {"dump", sim},
      {"dump", "--json", sim},
      {"decompile", at("w"), "--stdout"},
      {"check", "--summary", at("w/Valmira_Lunerio_linea.txt"), at("w/Valmira_Lunerio_37924-.txt")},
      {"new", "Mia", "101", "-o", at("new"), "--force"},
  };
  for (const auto& command : commands) {
    EXPECT_EQ(run_program(command, Stdout::kNull).status, 0) << command[0];
    for (const Stdout stream : {Stdout::kFull, Stdout::kClosed}) {
      const Outcome outcome = run_program(command, stream);
      EXPECT_EQ(outcome.status, 3) << command[0] << " " << command[1];
      // The reason (no space, a bad descriptor) follows when the system gave
      // it at the end; a large output meets the failure on the way.
      EXPECT_NE(outcome.err.find("scenario-builder: cannot write the standard output"),
                std::string::npos)
          << command[0] << " " << command[1] << ": " << outcome.err;
    }
  }
}

}  // namespace
}  // namespace sb
