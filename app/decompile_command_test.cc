#include "app/decompile_command.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "app/compile_for_test.h"
#include "format/cells.h"
#include "app/cli.h"
#include "platform/memory_file_system.h"
#include "platform/window.h"
#include "sources/builtin_scenario.h"
#include "sources/line_list_writer.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

constexpr char kDir[] = "dir";

// Compiles the texts at `line` and `train` into the built-in scenario's three
// files in `directory`; the build's exit status.
int compile_texts(MemoryFileSystem& files, const std::string& line, const std::string& train,
                  const std::string& directory) {
  return test::compile_texts(files, line, train, directory, kBuiltinScenarioName,
                             kBuiltinTrainNumber);
}

// The built-in scenario compiled into kDir of a file system in memory; with
// `line_tail` and `train_tail` put in front of each text's last line.
MemoryFileSystem compiled_builtin(const std::string& line_tail = "",
                                  const std::string& train_tail = "", int status = 0) {
  MemoryFileSystem files;
  auto with_tail = [](const std::vector<std::string_view>& lines, const std::string& tail) {
    std::string text = line_list_bytes(lines);
    const size_t last = text.rfind("[fine]");
    return text.insert(last, tail);
  };
  files.files["src/line.txt"] = with_tail(builtin_line_text(), line_tail);
  files.files["src/train.txt"] = with_tail(builtin_train_text(), train_tail);
  EXPECT_EQ(compile_texts(files, "src/line.txt", "src/train.txt", kDir), status);
  files.files.erase("src/line.txt");
  files.files.erase("src/train.txt");
  return files;
}

const std::string kLineText = std::string(kDir) + "/Valmira_Lunerio_linea.txt";
const std::string kTrainText = std::string(kDir) + "/Valmira_Lunerio_37924-.txt";
const std::string kCells = std::string(kDir) + "/Valmira_Lunerio_37924.dat";

TEST(DecompileCommand, BuiltinTextsCompileToTheSameFiles) {
  MemoryFileSystem files = compiled_builtin();
  const auto original = files.files;
  std::ostringstream out, err;
  ASSERT_EQ(decompile_command({kDir, "", "", "", false, false}, files, out, err), 0) << err.str();
  const std::string line = files.files[kLineText];
  const std::string train = files.files[kTrainText];
  EXPECT_EQ(line.substr(0, 12), "[generale]\r\n");
  EXPECT_NE(line.find("\r\ncurvad5, 650, 200\r\n"), std::string::npos);
  EXPECT_NE(train.find("\r\nsegnale, 850, 2, 3, 1, 0, 0, 2, 2, 1, 0, 220\r\n"), std::string::npos);
  EXPECT_NE(train.find("\r\nrallentamento, 77800, 100, 500, 0, 1, 100\r\n"), std::string::npos);
  // Compiled again, the texts give the three files back.
  ASSERT_EQ(compile_texts(files, kLineText, kTrainText, "again"), 0);
  for (const auto& [path, bytes] : original) {
    EXPECT_EQ(files.files["again" + path.substr(3)], bytes) << path;
  }
}

TEST(DecompileCommand, KeepsExistingTextsWithoutForce) {
  MemoryFileSystem files = compiled_builtin();
  files.files[kTrainText] = "mine";
  std::ostringstream out, err;
  EXPECT_EQ(decompile_command({kDir, "", "", "", false, false}, files, out, err), 2);
  EXPECT_EQ(err.str(),
            "scenario-builder decompile: " + kTrainText + " exists: give --force to replace it\n");
  EXPECT_EQ(files.files[kTrainText], "mine");
  EXPECT_EQ(files.files.count(kLineText), 0u);
  err.str("");
  EXPECT_EQ(decompile_command({kDir, "", "", "", true, false}, files, out, err), 0);
  EXPECT_NE(files.files[kTrainText], "mine");
  EXPECT_EQ(err.str(),
            "scenario-builder decompile: wrote " + kLineText + " and " + kTrainText + "\n");
}

TEST(DecompileCommand, StdoutPrintsBothTextsAndWritesNothing) {
  MemoryFileSystem files = compiled_builtin();
  std::ostringstream out, err;
  EXPECT_EQ(decompile_command({kDir, "", "", "", false, true}, files, out, err), 0);
  EXPECT_EQ(files.files.count(kLineText), 0u);
  const std::string text = out.str();
  EXPECT_EQ(text.find("==> Valmira_Lunerio_linea.txt <==\n[generale]\r\nlunghezza percorso, "
                      "302600\r\n"),
            0u);
  EXPECT_NE(text.find("[fine]\r\n==> Valmira_Lunerio_37924-.txt <==\n[generale]\r\nnumero "
                      "vetture, 4\r\n"),
            std::string::npos);
  EXPECT_EQ(err.str(), "");
}

TEST(DecompileCommand, RefusesFilesItCannotAccountFor) {
  struct Case {
    const char* name;
    void (*spoil)(std::string& cells);
    const char* says;
  };
  const Case cases[] = {
      {"truncated", [](std::string& c) { c.resize(c.size() - 7); }, "not a whole number of"},
      {"a cell of an unknown kind", [](std::string& c) { c[15 * 300] = 9; }, "cell 300"},
      {"a lone mountain marker", [](std::string& c) { c[15 * 2] = 11; }, "mountain marker"},
      {"a code point's value changed", [](std::string& c) { c[15 * 12 + 1] ^= 0x40; },
       "(unless the files were changed after the build)"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files = compiled_builtin();
    c.spoil(files.files[kCells]);
    std::ostringstream out, err;
    EXPECT_EQ(decompile_command({kDir, "", "", "", false, false}, files, out, err), 2) << c.name;
    EXPECT_NE(err.str().find(c.says), std::string::npos) << c.name << ": " << err.str();
    EXPECT_EQ(files.files.count(kLineText), 0u) << c.name;
  }
}

// The files of a build that ended in a compile error have no source of
// their own: refused, with the reason.
TEST(DecompileCommand, RefusesTheFilesOfAFailedBuild) {
  const struct {
    const char* name;
    const char* line_tail;
    const char* train_tail;
    const char* says;
  } cases[] = {
      {"a curve without a class stops the trace", "curvad, 290000, 100\r\n", "",
       "row 297251 of the line trace is not computed: the files of a build that failed"},
      {"a station too near the one before", "",
       "stazione, 89900, 12, 600, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 13, 51, 0, TROPPO VICINA\r\n",
       "stands closer to the one before than a build lets it: the files of a build that failed"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files = compiled_builtin(c.line_tail, c.train_tail, 1);
    std::ostringstream out, err;
    EXPECT_EQ(decompile_command({kDir, "", "", "", false, false}, files, out, err), 2) << c.name;
    EXPECT_NE(err.str().find(c.says), std::string::npos) << c.name << ": " << err.str();
    EXPECT_EQ(files.files.count(kLineText), 0u) << c.name;
  }
}

// NAME and N name the texts written: from the command line or from the
// compiled files' names, they follow the rule compile and new hold them to,
// and nothing is written when they break it.
TEST(DecompileCommand, RefusesNamesThatCannotNameTheTexts) {
  const struct {
    const char* name;
    const char* scenario;   // --scenario
    const char* train;      // --train-number
    const char* file_name;  // the compiled files' NAME, in place of the built-in one
    const char* says;
  } cases[] = {
      {"a scenario name out of the directory", "../../x/Evil", "101", "",
       "--scenario \"../../x/Evil\" holds a path separator"},
      {"a train number out of the directory", kBuiltinScenarioName, "../101", "",
       "--train-number \"../101\" holds a path separator"},
      {"a train number that is the line's", kBuiltinScenarioName, "LINEA", "",
       "--train-number \"LINEA\" would make the cells file overwrite the line trace file"},
      {"a file name with a newline", "", "", "Mia\nx",
       "the compiled files in dir: the scenario name holds the control character U+000A"},
      {"a file name with a star", "", "", "Mia*",
       "the compiled files in dir: the scenario name \"Mia*\" holds the character '*'"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files = compiled_builtin();
    if (*c.file_name != '\0') {
      const std::string from = std::string(kDir) + "/" + kBuiltinScenarioName;
      for (const char* end : {"_linea.dat", "_37924.sim", "_37924.dat"}) {
        auto node = files.files.extract(from + end);
        node.key() = std::string(kDir) + "/" + c.file_name + end;
        files.files.insert(std::move(node));
      }
    }
    const auto before = files.files;
    std::ostringstream out, err;
    EXPECT_EQ(decompile_command({kDir, c.scenario, c.train, "out", false, false}, files, out, err),
              2)
        << c.name;
    EXPECT_NE(err.str().find(c.says), std::string::npos) << c.name << ": " << err.str();
    EXPECT_EQ(files.files, before) << c.name;
  }
}

// Files the recovery cannot account for, though a build might have written
// them, are not called unclean: the message says the recovery fell short,
// and --approximate writes the nearest texts, marking the entries that do not
// give their cells back.
TEST(DecompileCommand, ShortfallSaysSoAndApproximateWritesTheNearestTexts) {
  MemoryFileSystem files = compiled_builtin();
  // An approach mark of the signal at 850 m (cell 18) that no entry leaves.
  files.files[kCells][kCellBytes * 16 + 10] = static_cast<char>(0xEE);
  std::ostringstream out, err;
  EXPECT_EQ(decompile_command({kDir, "", "", "", false, false}, files, out, err), 2);
  EXPECT_EQ(err.str(),
            "scenario-builder decompile: the scenario Valmira_Lunerio_37924 in dir: this scenario "
            "could not be recovered exactly: no order of the stations and signals leaves the "
            "approach mark 238 in cell 16, please report it (--approximate writes the nearest "
            "texts)\n");
  EXPECT_EQ(files.files.count(kTrainText), 0u);

  DecompileOptions approximate{kDir, "", "", "", false, false};
  approximate.approximate = true;
  std::ostringstream out2, err2;
  EXPECT_EQ(decompile_command(approximate, files, out2, err2), 1);
  EXPECT_NE(err2.str().find("could not be recovered exactly: the texts recovered compile to a "
                            "dir/Valmira_Lunerio_37924.dat that differs from byte 250 on"),
            std::string::npos)
      << err2.str();
  const std::string& train = files.files[kTrainText];
  EXPECT_EQ(train.find("; approximate: these texts do not compile"), 0u);
  EXPECT_NE(train.find("; approximate: the next entry does not give the compiled cell 16 back\r\n"
                       "segnale, 850, "),
            std::string::npos);
  // Only that entry is marked.
  size_t marks = 0;
  for (size_t at = train.find("the next entry"); at != std::string::npos;
       at = train.find("the next entry", at + 1))
    ++marks;
  EXPECT_EQ(marks, 1u);
  // The texts, comments and all, still compile.
  EXPECT_EQ(compile_texts(files, kLineText, kTrainText, "again"), 0);
}

TEST(DecompileCommand, UnwritableOutputIsStatus3) {
  MemoryFileSystem files = compiled_builtin();
  files.unwritable.insert(kTrainText);
  std::ostringstream out, err;
  EXPECT_EQ(decompile_command({kDir, "", "", "", false, false}, files, out, err), 3);
  EXPECT_EQ(files.files.count(kLineText), 0u);
}

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Through the command line and the disk: the bare run's files, decompiled
// into another directory and compiled from there, are the same files.  The
// directories given with -o are made where missing.
// Runs command lines on the disk, keeping what they print on stderr.
class DiskCli {
 public:
  int operator()(const std::vector<std::string>& args) {
    std::vector<const char*> argv = {"scenario-builder"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    return run_cli(static_cast<int>(argv.size()), argv.data(), disk_file_system(), *window_, out_,
                   err_);
  }
  std::string err() const { return err_.str(); }

 private:
  std::ostringstream out_, err_, notices_;
  std::unique_ptr<Window> window_ = make_console_window(notices_);
};

TEST(DecompileOnDisk, BareRunThroughDecompileAndCompile) {
  const fs::path root =
      fs::temp_directory_path() /
      ("decompile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  fs::remove_all(root);
  fs::create_directories(root / "bare");
  DiskCli cli;
  ASSERT_EQ(cli({"--dir", (root / "bare").string()}), 0) << cli.err();
  ASSERT_EQ(cli({"decompile", (root / "bare").string(), "-o", (root / "texts").string()}), 0)
      << cli.err();
  ASSERT_EQ(cli({"compile", (root / "texts" / "Valmira_Lunerio_linea.txt").string(),
                 (root / "texts" / "Valmira_Lunerio_37924-.txt").string(), "-o",
                 (root / "again").string()}),
            0)
      << cli.err();
  for (const char* name :
       {"Valmira_Lunerio_linea.dat", "Valmira_Lunerio_37924.sim", "Valmira_Lunerio_37924.dat"}) {
    EXPECT_EQ(read_bytes(root / "again" / name), read_bytes(root / "bare" / name)) << name;
  }
  fs::remove_all(root);
}

// Scenarios written by hand whose slowdowns' lead-in cells stand where the
// rounding of their positions puts them, or whose stations and signals write
// over one another's approach marks in both directions: compiled,
// decompiled and compiled again through the commands, they give the same
// three files.
TEST(DecompileOnDisk, CleanBuildsRoundTrip) {
  const fs::path fixtures = fs::path(SB_SOURCE_DIR) / "app" / "testdata" / "decompile";
  const fs::path root =
      fs::temp_directory_path() /
      ("decompile-cases-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  DiskCli cli;
  const struct {
    const char* name;
    const char* train;
  } cases[] = {{"Alta_Riva", "13378"}, {"piana", "52841"}, {"Borgo", "71810"}};
  for (const auto& [name, train] : cases) {
    SCOPED_TRACE(name);
    fs::remove_all(root);
    const std::string line = std::string(name) + "_linea";
    const std::string run = std::string(name) + "_" + train;
    ASSERT_EQ(cli({"compile", (fixtures / name / (line + ".txt")).string(),
                   (fixtures / name / (run + "-.txt")).string(), "-o", (root / "first").string()}),
              0)
        << cli.err();
    ASSERT_EQ(cli({"decompile", (root / "first").string(), "-o", (root / "texts").string()}), 0)
        << cli.err();
    ASSERT_EQ(cli({"compile", (root / "texts" / (line + ".txt")).string(),
                   (root / "texts" / (run + "-.txt")).string(), "-o", (root / "again").string()}),
              0)
        << cli.err();
    for (const std::string& file : {line + ".dat", run + ".sim", run + ".dat"}) {
      EXPECT_EQ(read_bytes(root / "again" / file), read_bytes(root / "first" / file)) << file;
    }
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace sb
