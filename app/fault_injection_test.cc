// Faults of the environment: a directory that cannot be written, a directory
// standing where a file should be, a full disk, a source text that vanishes
// or cannot be read.  Each must end with a message naming the file, a
// non-zero exit status, and no output half written or lost.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/bare_run.h"
#include "app/compile_command.h"
#include "output/scenario_files.h"
#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "sources/builtin_scenario.h"
#include "sources/driver_documents.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

constexpr char kDirectory[] = "/run";
constexpr char kOldBytes[] = "the previous run's file";

std::vector<std::string> output_paths(const std::string& directory) {
  const ScenarioFileNames names =
      scenario_file_names(directory, kBuiltinScenarioName, kBuiltinTrainNumber);
  return {names.line_trace, names.records, names.cells};
}

std::string line_text_path(const std::string& directory) {
  return join_path(directory, line_text_name(kBuiltinScenarioName));
}

std::string train_text_path(const std::string& directory) {
  return join_path(directory, train_text_name(kBuiltinScenarioName, kBuiltinTrainNumber));
}

// The bare run on a file system of the test's choosing, with what it shows
// and what it reports kept for inspection.
struct BareRunResult {
  int status = 0;
  std::string shown;        // the window: notice and messages
  std::string diagnostics;  // compile errors and warnings
};

BareRunResult run_bare(FileSystem& file_system, const std::string& directory) {
  std::ostringstream shown;
  std::ostringstream diagnostics;
  std::unique_ptr<Window> window = make_console_window(shown);
  BareRunResult result;
  result.status = bare_run({directory, false}, file_system, *window, diagnostics);
  result.shown = shown.str();
  result.diagnostics = diagnostics.str();
  return result;
}

// A memory file system holding the files of an earlier, complete run.
MemoryFileSystem with_old_outputs() {
  MemoryFileSystem file_system;
  for (const std::string& path : output_paths(kDirectory)) file_system.files[path] = kOldBytes;
  return file_system;
}

void expect_old_outputs(const MemoryFileSystem& file_system) {
  for (const std::string& path : output_paths(kDirectory)) {
    ASSERT_EQ(file_system.files.count(path), 1u) << path;
    EXPECT_EQ(file_system.files.at(path), kOldBytes) << path;
  }
}

// ---- Injected through the file-system seam ----

TEST(FaultInjection, AnOutputThatCannotBeWrittenLeavesEveryOldOutput) {
  for (const std::string& blocked : output_paths(kDirectory)) {
    SCOPED_TRACE(blocked);
    MemoryFileSystem file_system = with_old_outputs();
    file_system.unwritable.insert(blocked);
    const BareRunResult result = run_bare(file_system, kDirectory);
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.shown.find("cannot write " + blocked + ": Permission denied"),
              std::string::npos)
        << result.shown;
    expect_old_outputs(file_system);
  }
}

TEST(FaultInjection, ADirectoryThatCannotBeWrittenStopsBeforeTheBuild) {
  MemoryFileSystem file_system = with_old_outputs();
  const std::string line_text = line_text_path(kDirectory);
  file_system.unwritable.insert(line_text);
  const BareRunResult result = run_bare(file_system, kDirectory);
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.shown.find("cannot write " + line_text), std::string::npos) << result.shown;
  expect_old_outputs(file_system);
}

TEST(FaultInjection, AnEditedTextThatCannotBeRenamedAsideStopsBeforeAnythingIsWritten) {
  MemoryFileSystem file_system = with_old_outputs();
  const std::string line_text = line_text_path(kDirectory);
  file_system.files[line_text] = "an author's line text";
  file_system.unrenamable.insert(line_text);
  const BareRunResult result = run_bare(file_system, kDirectory);
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.shown.find("Errore imprevisto: cannot rename " + line_text + " to " + line_text +
                              ".bak: Permission denied"),
            std::string::npos)
      << result.shown;
  EXPECT_EQ(file_system.files[line_text], "an author's line text");
  expect_old_outputs(file_system);
}

// A failed rename among the binary files, as a target held busy by another
// program: the ones already replaced get their old files back.
TEST(FaultInjection, AFailedReplacementAtAnyPositionPutsBackTheOldSet) {
  const std::vector<std::string> outputs = output_paths(kDirectory);
  for (int position = 0; position < 3; ++position) {
    SCOPED_TRACE(outputs[position]);
    MemoryFileSystem file_system = with_old_outputs();
    // The five texts take the first five replacements.
    file_system.failing_replaces = {5 + position};
    const BareRunResult result = run_bare(file_system, kDirectory);
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(
        result.shown.find("cannot replace " + outputs[position] + ": Device or resource busy"),
        std::string::npos)
        << result.shown;
    expect_old_outputs(file_system);
    for (const auto& [path, contents] : file_system.files) {
      EXPECT_EQ(path.find("/.sb-"), std::string::npos) << path;
    }
  }
}

TEST(FaultInjection, ATextThatCannotBeWrittenLeavesEveryOldText) {
  MemoryFileSystem file_system = with_old_outputs();
  const std::string notes =
      join_path(kDirectory, notes_name(kBuiltinScenarioName, kBuiltinTrainNumber));
  const std::string card =
      join_path(kDirectory, timetable_card_name(kBuiltinScenarioName, kBuiltinTrainNumber));
  file_system.files[notes] = kOldBytes;
  file_system.unwritable.insert(card);
  const auto before = file_system.files;
  const BareRunResult result = run_bare(file_system, kDirectory);
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.shown.find("cannot write " + card + ": Permission denied"), std::string::npos)
      << result.shown;
  EXPECT_EQ(file_system.files, before);
}

// What a complete bare run writes: the five texts, then everything.
struct WrittenBytes {
  size_t texts = 0;
  size_t all = 0;
};

WrittenBytes bytes_of_a_run() {
  MemoryFileSystem file_system;
  std::ostringstream ignored;
  std::unique_ptr<Window> window = make_console_window(ignored);
  bare_run({kDirectory, /*keep_sources=*/true}, file_system, *window, ignored);
  WrittenBytes bytes;
  bytes.all = static_cast<size_t>(-1) - file_system.space_left;
  for (const auto& [path, contents] : file_system.files) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".txt") bytes.texts += contents.size();
  }
  return bytes;
}

TEST(FaultInjection, AFullDiskLeavesEveryOldOutput) {
  const WrittenBytes written = bytes_of_a_run();
  ASSERT_GT(written.texts, 0u);
  ASSERT_GT(written.all, written.texts);
  {
    SCOPED_TRACE("just enough room");
    MemoryFileSystem file_system = with_old_outputs();
    file_system.space_left = written.all;
    EXPECT_EQ(run_bare(file_system, kDirectory).status, 0);
  }
  const struct {
    const char* when;
    size_t space;
  } cases[] = {{"while the texts are written", written.texts / 2},
               {"right after the texts", written.texts},
               {"among the binary files", (written.texts + written.all) / 2},
               {"one byte before the end", written.all - 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.when);
    MemoryFileSystem file_system = with_old_outputs();
    file_system.space_left = c.space;
    const BareRunResult result = run_bare(file_system, kDirectory);
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.shown.find("cannot write " + std::string(kDirectory) + "/"), std::string::npos)
        << result.shown;
    EXPECT_NE(result.shown.find(": No space left on device"), std::string::npos) << result.shown;
    expect_old_outputs(file_system);
  }
}

// A file system on which chosen files vanish just before they are read, as
// when another program deletes them.
class VanishingFileSystem : public MemoryFileSystem {
 public:
  std::string vanishing;
  int reads_before_vanishing = 0;

  bool read_file(const std::string& path, std::string* contents, std::string* error) override {
    if (path == vanishing && reads_before_vanishing-- == 0) files.erase(path);
    return MemoryFileSystem::read_file(path, contents, error);
  }
};

TEST(FaultInjection, ASourceTextLostBeforeReadingIsReportedByName) {
  const std::string line_text = line_text_path(kDirectory);
  const std::string train_text = train_text_path(kDirectory);
  // Without the line text there are no cells and nothing is written; without
  // the train text the line is written as compiled, with the error reported.
  const struct {
    std::string text;
    bool vanishes;  // else it cannot be read
    int status;
    const char* why;
  } cases[] = {{line_text, true, 3, "No such file or directory"},
               {line_text, false, 3, "Permission denied"},
               {train_text, true, 1, "No such file or directory"},
               {train_text, false, 1, "Permission denied"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + (c.vanishes ? " vanishes" : " is unreadable"));
    VanishingFileSystem file_system;
    for (const std::string& path : output_paths(kDirectory)) file_system.files[path] = kOldBytes;
    if (c.vanishes) {
      file_system.vanishing = c.text;
    } else {
      // Made unreadable once written: the write itself still succeeds.
      file_system.unreadable.insert(c.text);
    }
    const BareRunResult result = run_bare(file_system, kDirectory);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(
        result.diagnostics.find("error E25: read failure: cannot read " + c.text + ": " + c.why),
        std::string::npos)
        << result.diagnostics;
    // The read failure deletes both texts; the outputs are old or complete.
    EXPECT_EQ(file_system.files.count(line_text), 0u);
    EXPECT_EQ(file_system.files.count(train_text), 0u);
    if (c.status == 3) {
      expect_old_outputs(file_system);
    } else {
      for (const std::string& path : output_paths(kDirectory)) {
        EXPECT_NE(file_system.files.at(path), kOldBytes) << path;
      }
    }
  }
}

// The author's texts, as the compile command reads them.
MemoryFileSystem with_author_texts() {
  MemoryFileSystem file_system;
  std::string error;
  EXPECT_TRUE(dati_linea(file_system, "/texts", kBuiltinScenarioName, &error)) << error;
  EXPECT_TRUE(dati_treno(file_system, "/texts", kBuiltinScenarioName, kBuiltinTrainNumber, &error))
      << error;
  return file_system;
}

CompileOptions author_options(const std::string& output_directory) {
  CompileOptions options;
  options.line_text = line_text_path("/texts");
  options.train_text = train_text_path("/texts");
  options.output_directory = output_directory;
  return options;
}

TEST(FaultInjection, CompileCommandOnAFullDiskKeepsTheTextsAndWritesNothing) {
  MemoryFileSystem file_system = with_author_texts();
  const std::map<std::string, std::string> texts = file_system.files;
  file_system.space_left = 1000;
  std::ostringstream err;
  EXPECT_EQ(compile_command(author_options("/out"), file_system, err), 3);
  EXPECT_NE(err.str().find("scenario-builder: cannot write /out/"), std::string::npos) << err.str();
  EXPECT_NE(err.str().find(": No space left on device"), std::string::npos) << err.str();
  EXPECT_EQ(file_system.files, texts);
}

// Each input is read once, as a pipe can be read only once: a text that
// vanishes after its one reading still compiles.
TEST(FaultInjection, CompileCommandReadsEachInputOnce) {
  const CompileOptions options = author_options("/out");
  for (const std::string& text : {options.line_text, options.train_text}) {
    SCOPED_TRACE(text);
    VanishingFileSystem file_system;
    file_system.files = with_author_texts().files;
    file_system.vanishing = text;
    file_system.reads_before_vanishing = 1;
    std::ostringstream err;
    EXPECT_EQ(compile_command(options, file_system, err), 0) << err.str();
    EXPECT_EQ(file_system.files.count(text), 1u);
    for (const std::string& path : output_paths("/out")) {
      EXPECT_EQ(file_system.files.count(path), 1u) << path;
    }
  }
}

TEST(FaultInjection, CompileCommandWithAnUnreadableInputIsAUsageError) {
  MemoryFileSystem file_system = with_author_texts();
  const CompileOptions options = author_options("/out");
  file_system.unreadable.insert(options.train_text);
  const std::map<std::string, std::string> texts = file_system.files;
  std::ostringstream err;
  EXPECT_EQ(compile_command(options, file_system, err), 2);
  EXPECT_EQ(err.str(),
            "scenario-builder: cannot read " + options.train_text + ": Permission denied\n");
  EXPECT_EQ(file_system.files, texts);
}

// ---- On the disk ----

class DiskFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("fault-injection-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(directory_, ignored);
  }

  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string dir() const { return directory_.string(); }

  fs::path directory_;
};

TEST_F(DiskFaults, ADirectoryWhereAnOutputFileShouldBeStopsTheRun) {
  const std::string records = output_paths(dir())[1];
  fs::create_directory(records);
  const BareRunResult result = run_bare(disk_file_system(), dir());
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.shown.find("cannot write " + records + ": a directory stands there"),
            std::string::npos)
      << result.shown;
  EXPECT_TRUE(fs::is_directory(records));
  EXPECT_TRUE(fs::is_empty(records));
  // Only the three driver documents and the directory remain: no binary
  // file, no temporary, no source text.
  EXPECT_EQ(entries(),
            (std::vector<std::string>{"Valmira_Lunerio_37924.sim", "Valmira_Lunerio_37924_note.txt",
                                      "Valmira_Lunerio_37924_rallentamenti.txt",
                                      "Valmira_Lunerio_37924_scheda_treno.txt"}));
}

TEST_F(DiskFaults, ADirectoryWhereASourceTextShouldBeStopsBeforeTheBuild) {
  const std::string line_text = line_text_path(dir());
  fs::create_directory(line_text);
  const BareRunResult result = run_bare(disk_file_system(), dir());
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.shown.find("cannot write " + line_text), std::string::npos) << result.shown;
  EXPECT_EQ(entries(), std::vector<std::string>{"Valmira_Lunerio_linea.txt"});
}

TEST_F(DiskFaults, AReadOnlyDirectoryStopsTheRunWithNothingWritten) {
  fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(directory_ / "probe")) {
    // The superuser writes through the missing permission.
    fs::remove(directory_ / "probe");
    GTEST_SKIP() << "this user can write into a read-only directory";
  }
  const BareRunResult result = run_bare(disk_file_system(), dir());
  EXPECT_EQ(result.status, 3);
  EXPECT_NE(result.shown.find("cannot write " + line_text_path(dir()) + ": Permission denied"),
            std::string::npos)
      << result.shown;
  EXPECT_TRUE(entries().empty());
}

// A directory below a regular file cannot be written by anyone.
TEST_F(DiskFaults, AnOutputDirectoryBelowARegularFileStopsTheRun) {
  const fs::path blocker = directory_ / "plain-file";
  std::ofstream(blocker) << "not a directory";
  const std::string inside = (blocker / "scenario").string();

  const BareRunResult bare = run_bare(disk_file_system(), inside);
  EXPECT_EQ(bare.status, 3);
  EXPECT_NE(bare.shown.find("cannot create the directory " + inside + ": Not a directory"),
            std::string::npos)
      << bare.shown;

  std::string error;
  ASSERT_TRUE(dati_linea(disk_file_system(), dir(), kBuiltinScenarioName, &error)) << error;
  ASSERT_TRUE(
      dati_treno(disk_file_system(), dir(), kBuiltinScenarioName, kBuiltinTrainNumber, &error))
      << error;
  const std::vector<std::string> before = entries();
  CompileOptions options;
  options.line_text = line_text_path(dir());
  options.train_text = train_text_path(dir());
  options.output_directory = inside;
  std::ostringstream err;
  EXPECT_EQ(compile_command(options, disk_file_system(), err), 3);
  EXPECT_EQ(err.str(),
            "scenario-builder: cannot create the directory " + inside + ": Not a directory\n");
  // The author's texts stay, and nothing else appears.
  EXPECT_EQ(entries(), before);
}

// Pipes and named pipes are read like files, though they can be read only
// once and have no size.
TEST_F(DiskFaults, CompileCommandReadsPipesAndNamedPipes) {
  const MemoryFileSystem texts = with_author_texts();
  const std::string line_bytes = texts.files.at(line_text_path("/texts"));
  const std::string train_bytes = texts.files.at(train_text_path("/texts"));
  for (const bool named : {true, false}) {
    SCOPED_TRACE(named ? "named pipes" : "pipes");
    const std::string out = (directory_ / (named ? "fifo-out" : "pipe-out")).string();
    fs::create_directory(out);
    CompileOptions options;
    options.output_directory = out;
    options.scenario_name = kBuiltinScenarioName;
    options.train_number = kBuiltinTrainNumber;
    std::vector<std::thread> feeders;
    std::vector<int> read_ends;
    for (const std::string* bytes : {&line_bytes, &train_bytes}) {
      int write_end = -1;
      std::string path;
      if (named) {
        path = (directory_ / (bytes == &line_bytes ? "line" : "train")).string();
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
      } else {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        read_ends.push_back(ends[0]);
        write_end = ends[1];
        path = "/dev/fd/" + std::to_string(ends[0]);
      }
      (bytes == &line_bytes ? options.line_text : options.train_text) = path;
      feeders.emplace_back([path, write_end, bytes] {
        const int fd = write_end >= 0 ? write_end : ::open(path.c_str(), O_WRONLY);
        for (size_t done = 0; done < bytes->size();) {
          const ssize_t n = ::write(fd, bytes->data() + done, bytes->size() - done);
          if (n <= 0) break;
          done += static_cast<size_t>(n);
        }
        ::close(fd);
      });
    }
    std::ostringstream err;
    EXPECT_EQ(compile_command(options, disk_file_system(), err), 0) << err.str();
    for (std::thread& feeder : feeders) feeder.join();
    for (int fd : read_ends) ::close(fd);
    for (const std::string& path : output_paths(out))
      EXPECT_TRUE(fs::is_regular_file(path)) << path;
  }
}

// Two compiles of different scenarios of one name into one directory at the
// same time: each ends with its whole set in place, and neither fails
// because of the other.
TEST_F(DiskFaults, TwoCompilesIntoOneDirectoryEachLeaveAWholeSet) {
  // Of one length, so that the two builds take as long and their
  // replacements meet; the curve turns one way or the other.
  const auto line_text = [](const char* curve) {
    return std::string("[generale]\r\nlunghezza percorso, 50000\r\n[curve]\r\n") + curve +
           ", 1000, 500\r\n[fine]\r\n";
  };
  const auto train_text = [](int hour, int speed) {
    return "[generale]\r\norologio, " + std::to_string(hour) + " 0 0\r\nvelocita, 0, " +
           std::to_string(speed) + "\r\n[fine]\r\n";
  };
  const std::string texts[2][2] = {{line_text("curvad4"), train_text(9, 100)},
                                   {line_text("curvas4"), train_text(15, 80)}};
  const std::string out = (directory_ / "out").string();
  fs::create_directory(out);
  std::vector<std::string> expected[2];
  CompileOptions options[2];
  for (int run = 0; run < 2; ++run) {
    const std::string line = (directory_ / ("line" + std::to_string(run))).string();
    const std::string train = (directory_ / ("train" + std::to_string(run))).string();
    std::ofstream(line, std::ios::binary) << texts[run][0];
    std::ofstream(train, std::ios::binary) << texts[run][1];
    options[run].line_text = line;
    options[run].train_text = train;
    options[run].scenario_name = "S";
    options[run].train_number = "1";
    options[run].output_directory = "/alone";
    MemoryFileSystem alone;
    alone.files = {{line, texts[run][0]}, {train, texts[run][1]}};
    std::ostringstream ignored;
    ASSERT_EQ(compile_command(options[run], alone, ignored), 0) << ignored.str();
    const ScenarioFileNames names = scenario_file_names("/alone", "S", "1");
    expected[run] = {alone.files[names.line_trace], alone.files[names.records],
                     alone.files[names.cells]};
    options[run].output_directory = out;
  }
  for (int file = 0; file < 3; ++file) ASSERT_TRUE(expected[0][file] != expected[1][file]) << file;
  const ScenarioFileNames names = scenario_file_names(out, "S", "1");
  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  };
  for (int round = 0; round < 25; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::ostringstream err[2];
    int status[2] = {-1, -1};
    std::thread other([&] { status[1] = compile_command(options[1], disk_file_system(), err[1]); });
    status[0] = compile_command(options[0], disk_file_system(), err[0]);
    other.join();
    EXPECT_EQ(status[0], 0) << err[0].str();
    EXPECT_EQ(status[1], 0) << err[1].str();
    const std::vector<std::string> found = {read(names.line_trace), read(names.records),
                                            read(names.cells)};
    EXPECT_TRUE(found == expected[0] || found == expected[1]);
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 3);
  }
}

}  // namespace
}  // namespace sb
