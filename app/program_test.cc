// The program itself, run as a user runs it, for what only a real process
// shows: its standard streams full or closed, runs at the same time, a
// signal.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace sb {
namespace {

namespace fs = std::filesystem;

// Where the program's standard output goes.
enum class Stdout { kNull, kFull, kClosed, kToStandardError };

struct Outcome {
  int status = -1;  // the exit status; -1 when the program did not exit
  std::string err;
};

// A run of the program under way: its process and the reading end of its
// standard error.
struct Started {
  pid_t pid = -1;
  int err = -1;
};

// Starts the program with `args`, its standard output as `out`, its
// standard error into a pipe, its standard input from `in` when given.
Started start_program(const std::vector<std::string>& args, Stdout out, int in = -1) {
  int err_pipe[2];
  if (pipe(err_pipe) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    if (in >= 0) dup2(in, 0);
    dup2(err_pipe[1], 2);
    close(err_pipe[0]);
    close(err_pipe[1]);
    if (out == Stdout::kClosed) {
      close(1);
    } else if (out == Stdout::kToStandardError) {
      dup2(2, 1);
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
  return {child, err_pipe[0]};
}

// Reads the run's standard error until it holds `text` or 30 s have
// passed; what was read is appended to *err.  True when `text` came.
bool wait_for_text(const Started& run, const std::string& text, std::string* err) {
  for (int waited_ms = 0; err->find(text) == std::string::npos; waited_ms += 100) {
    if (waited_ms >= 30000) return false;
    pollfd readable = {run.err, POLLIN, 0};
    if (poll(&readable, 1, 100) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(run.err, buffer, sizeof buffer);
    if (got <= 0) return false;
    err->append(buffer, static_cast<size_t>(got));
  }
  return true;
}

// Collects the rest of the run's standard error and waits for its end.
Outcome finish_program(const Started& run, std::string err = {}) {
  Outcome outcome;
  outcome.err = std::move(err);
  char buffer[4096];
  for (ssize_t got; (got = read(run.err, buffer, sizeof buffer)) > 0;) {
    outcome.err.append(buffer, static_cast<size_t>(got));
  }
  close(run.err);
  int status = 0;
  waitpid(run.pid, &status, 0);
  if (WIFEXITED(status)) outcome.status = WEXITSTATUS(status);
  return outcome;
}

// Runs the program with `args`, its standard output as `out` (its standard
// input from `in` when given), and collects its standard error.
Outcome run_program(const std::vector<std::string>& args, Stdout out, int in = -1) {
  const Started run = start_program(args, out, in);
  if (run.pid < 0) return {};
  return finish_program(run);
}

// Every file of `directory` by name, with its bytes.
std::map<std::string, std::string> files_in(const fs::path& directory) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return files;
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

// Several bare runs into one directory take turns for the whole run: none
// deletes or rewrites the source texts of another between their writing and
// their reading, and each leaves the set a lone run leaves.
TEST_F(Program, BareRunsAtOnceIntoOneDirectoryEachLeaveTheWholeSet) {
  ASSERT_EQ(run_program({"--dir", at("lone")}, Stdout::kNull).status, 0);
  const std::map<std::string, std::string> lone = files_in(at("lone"));
  const std::string shared = at("shared");
  constexpr int kRuns = 4;
  constexpr int kRounds = 10;
  for (int round = 0; round < kRounds; ++round) {
    std::vector<Started> runs;
    for (int i = 0; i < kRuns; ++i) {
      runs.push_back(start_program({"--dir", shared}, Stdout::kNull));
    }
    for (const Started& run : runs) {
      const Outcome outcome = finish_program(run);
      EXPECT_EQ(outcome.status, 0) << "round " << round << ": " << outcome.err;
    }
    const std::map<std::string, std::string> left = files_in(shared);
    ASSERT_EQ(left.size(), lone.size()) << "round " << round;
    EXPECT_TRUE(left == lone) << "round " << round;
  }
}

// A compile into a directory that another run holds says at once that it
// waits; Ctrl-C then ends it with nothing written, and without Ctrl-C it
// writes its files as soon as the directory is free.
TEST_F(Program, ARunThatWaitsForTheDirectorySaysSoAndCtrlCLeavesNothing) {
  const fs::path directory = *dir_ / "held";
  fs::create_directories(directory);
  const int holder = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  const std::vector<std::string> compile = {"compile", at("w/Valmira_Lunerio_linea.txt"),
                                            at("w/Valmira_Lunerio_37924-.txt"), "-o",
                                            directory.string()};
  const std::string notice =
      "scenario-builder: waiting for another run in " + directory.string() + "...\n";

  Started run = start_program(compile, Stdout::kNull);
  std::string err;
  ASSERT_TRUE(wait_for_text(run, notice, &err)) << err;
  kill(run.pid, SIGINT);
  Outcome outcome = finish_program(run, err);
  EXPECT_EQ(outcome.status, 3);
  EXPECT_NE(outcome.err.find("interrupted while waiting for another run"), std::string::npos)
      << outcome.err;
  EXPECT_TRUE(fs::is_empty(directory));

  run = start_program(compile, Stdout::kNull);
  err.clear();
  ASSERT_TRUE(wait_for_text(run, notice, &err)) << err;
  close(holder);
  outcome = finish_program(run, err);
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(files_in(directory).size(), 3u);
}

// A command whose input is also its output (a link, a second hard link; a
// compiled file's own name is refused as an input already) refuses with nothing written: every file
// keeps its bytes.
TEST_F(Program, AnInputThatIsAnOutputIsRefusedAndKept) {
  using Link = void (*)(const fs::path& directory);
  struct Case {
    const char* what;
    std::vector<std::string> args;  // "@" stands for the case's directory
    Link link;
  };
  const std::vector<std::string> compile_as_mia = {
      "@/line.txt", "@/train.txt", "--scenario", "Mia", "--train-number", "101", "-o", "@"};
  std::vector<std::string> compile = {"compile"};
  compile.insert(compile.end(), compile_as_mia.begin(), compile_as_mia.end());
  std::vector<std::string> watch = {"watch"};
  watch.insert(watch.end(), compile_as_mia.begin(), compile_as_mia.end());
  const Case cases[] = {
      {"compile, the train text a hard link of an output", compile,
       [](const fs::path& d) { fs::create_hard_link(d / "train.txt", d / "Mia_linea.dat"); }},
      {"compile, the line text a link to an output", compile,
       [](const fs::path& d) {
         fs::rename(d / "line.txt", d / "Mia_linea.dat");
         fs::create_symlink("Mia_linea.dat", d / "line.txt");
       }},
      {"watch, the train text a hard link of an output", watch,
       [](const fs::path& d) { fs::create_hard_link(d / "train.txt", d / "Mia_101.sim"); }},
      {"decompile, a text a hard link of a compiled file",
       {"decompile", "@", "--force"},
       [](const fs::path& d) {
         fs::create_hard_link(d / "Valmira_Lunerio_37924.sim", d / "Valmira_Lunerio_37924-.txt");
       }},
      {"plot, the drawing a hard link of a compiled file",
       {"plot", "@", "-o", "@/plan.svg"},
       [](const fs::path& d) {
         fs::create_hard_link(d / "Valmira_Lunerio_37924.dat", d / "plan.svg");
       }},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path directory = *dir_ / ("io" + std::to_string(n++));
    fs::create_directories(directory);
    for (const char* name :
         {"Valmira_Lunerio_linea.dat", "Valmira_Lunerio_37924.sim", "Valmira_Lunerio_37924.dat"}) {
      fs::copy_file(*dir_ / "w" / name, directory / name);
    }
    fs::copy_file(*dir_ / "w/Valmira_Lunerio_linea.txt", directory / "line.txt");
    fs::copy_file(*dir_ / "w/Valmira_Lunerio_37924-.txt", directory / "train.txt");
    c.link(directory);
    const std::map<std::string, std::string> before = files_in(directory);
    std::vector<std::string> args;
    for (const std::string& arg : c.args) {
      args.push_back(arg[0] == '@' ? directory.string() + arg.substr(1) : arg);
    }
    const Outcome outcome = run_program(args, Stdout::kToStandardError);
    EXPECT_EQ(outcome.status, 2) << outcome.err;
    EXPECT_NE(outcome.err.find(" is the same file as the output "), std::string::npos)
        << outcome.err;
    EXPECT_TRUE(files_in(directory) == before);
  }
}

// Inputs that never end, or tell a size of 0 and never end, are read to a
// stated bound and refused there, with exit status 2: the program never
// runs out of memory on them.
TEST_F(Program, EndlessInputsAreRefusedAtTheirBound) {
  const std::string train = at("w/Valmira_Lunerio_37924-.txt");
  const std::string text_bound = ": more than 67108864 bytes, the most a source text may hold";
  fs::create_directories(at("endless"));
  for (const char* name : {"Valmira_Lunerio_linea.dat", "Valmira_Lunerio_37924.dat"}) {
    fs::copy_file(at("w/") + name, at("endless/") + name);
  }
  fs::create_symlink("/proc/self/pagemap", at("endless/Valmira_Lunerio_37924.sim"));
  const std::string endless_records = at("endless/Valmira_Lunerio_37924.sim");
  const std::string records_bound = ": more than 5704503 bytes, the most a records file may hold";
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{"check", "/dev/zero", train}, "cannot read /dev/zero" + text_bound},
      {{"check", "/dev/urandom", train}, "cannot read /dev/urandom" + text_bound},
      {{"compile", at("w/Valmira_Lunerio_linea.txt"), "/dev/zero", "-o", at("endless-out")},
       "cannot read /dev/zero" + text_bound},
      {{"dump", "/proc/self/pagemap", "--kind", "cells"},
       "cannot read /proc/self/pagemap: more than 302115 bytes, the most a cells file may hold"},
      {{"decompile", at("endless"), "-o", at("endless-out")}, endless_records + records_bound},
      {{"plot", at("endless"), "-o", at("endless-out/plan.png")}, endless_records + records_bound},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    const Outcome outcome = run_program(c.args, Stdout::kNull);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find(c.error), std::string::npos) << outcome.err;
  }
  EXPECT_FALSE(fs::exists(at("endless-out")));

  // A pipe fed without end, as by `yes`.
  int feed[2];
  ASSERT_EQ(pipe(feed), 0);
  const pid_t feeder = fork();
  if (feeder == 0) {
    close(feed[0]);
    const std::string lines(1 << 16, 'y');
    while (write(feed[1], lines.data(), lines.size()) > 0) {
    }
    _exit(0);
  }
  close(feed[1]);
  const Outcome outcome = run_program({"check", "/dev/stdin", train}, Stdout::kNull, feed[0]);
  close(feed[0]);
  waitpid(feeder, nullptr, 0);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_NE(outcome.err.find("cannot read /dev/stdin" + text_bound), std::string::npos)
      << outcome.err;
}

// Without --force, anything at a text's name counts as existing: a link
// that points nowhere or to a directory, a named pipe.  None is replaced.
TEST_F(Program, WithoutForceAnythingAtATextsNameIsKept) {
  using Plant = void (*)(const fs::path& at);
  const Plant plants[] = {
      [](const fs::path& at) { fs::create_symlink("nowhere", at); },
      [](const fs::path& at) { fs::create_directory_symlink("/tmp", at); },
      [](const fs::path& at) { ASSERT_EQ(mkfifo(at.c_str(), 0600), 0); },
  };
  int n = 0;
  for (const Plant plant : plants) {
    const fs::path directory = *dir_ / ("planted" + std::to_string(n++));
    fs::create_directories(directory);
    plant(directory / "Valmira_Lunerio_37924-.txt");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"new", "Valmira_Lunerio", "37924", "-o", directory.string()},
          std::vector<std::string>{"decompile", at("w"), "-o", directory.string()}}) {
      SCOPED_TRACE(args[0] + " " + std::to_string(n));
      const Outcome outcome = run_program(args, Stdout::kNull);
      EXPECT_EQ(outcome.status, 2);
      EXPECT_NE(outcome.err.find((directory / "Valmira_Lunerio_37924-.txt").string() +
                                 (args[0] == "new" ? " already exists" : " exists")),
                std::string::npos)
          << outcome.err;
      EXPECT_EQ(std::distance(fs::directory_iterator(directory), fs::directory_iterator()), 1);
      EXPECT_FALSE(
          fs::is_regular_file(fs::symlink_status(directory / "Valmira_Lunerio_37924-.txt")));
    }
  }
}

}  // namespace
}  // namespace sb
