#include "compiler/memorizza_percorso.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace sb {
namespace {

const char kTrainText[] = "[generale]\r\nnumero vetture, 4\r\n[fine]\r\n";

std::string line_text(const std::string& body) {
  return "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n" + body + "[fine]\r\n";
}

struct Build {
  MemoryFileSystem file_system;
  BuildState state;
  BuildPlan plan;
  BuildReport report;
};

void run(Build& build, const std::string& line, const std::string& train = kTrainText) {
  build.state.scenario_name = "S";
  build.state.train_number = "1";
  build.plan.texts = {"/d/S_linea.txt", "/d/S_1-.txt", true};
  build.plan.outputs = scenario_file_names("/d", "S", "1");
  build.file_system.files[build.plan.texts.line_path] = line;
  build.file_system.files[build.plan.texts.train_path] = train;
  build.report = memorizza_percorso(build.state, kWithLineTrace, build.file_system, build.plan);
}

bool wrote_any(const Build& build) {
  const ScenarioFileNames& names = build.plan.outputs;
  return build.file_system.files.count(names.line_trace) +
             build.file_system.files.count(names.records) +
             build.file_system.files.count(names.cells) !=
         0;
}

TEST(MemorizzaPercorso, ACleanBuildStampsMarksAndCodesAndWritesAllThreeFiles) {
  Build build;
  run(build, line_text(""));
  EXPECT_EQ(build.report.end, BuildEnd::kDone);
  EXPECT_EQ(build.state.record(kScenarioRecord).short_1, 610);
  EXPECT_EQ(build.state.cell(1).value_1, 5121);
  EXPECT_NE(build.state.record(kScenarioRecord).long_4, 0);
  EXPECT_EQ(build.state.cell(1).value_2, 2508 - 'a' + 's');
  const std::string& cells = build.file_system.files[build.plan.outputs.cells];
  ASSERT_EQ(cells.size(), 15u * 161);
  EXPECT_EQ(cells.substr(16, 2), "\x01\x14");
  EXPECT_EQ(build.file_system.files.count(build.plan.outputs.line_trace), 1u);
  EXPECT_EQ(build.file_system.files.count(build.plan.texts.line_path), 0u);
  EXPECT_EQ(build.file_system.files.count(build.plan.texts.train_path), 0u);
}

TEST(MemorizzaPercorso, ChecksStopTheBuildBeforeAnyFileIsWritten) {
  struct Case {
    const char* body;
    StopCode stop;
  };
  const Case cases[] = {
      // An indication board in cell 1 takes the slot of the format mark.
      {"cartello_indicatore, 0, (x)\r\n", kFormatMarkHeld},
      // A speed board there with no A speed leaves the mark's slot free but
      // fills the code's.
      {"indicatori_vmax, 0, 0, 5, 0, 0, 0, 0, 0, 0\r\n", kScenarioCodeHeld},
  };
  for (const Case& c : cases) {
    Build build;
    run(build, line_text(c.body));
    EXPECT_EQ(build.report.end, BuildEnd::kStopped) << c.body;
    EXPECT_EQ(build.report.stop, c.stop);
    EXPECT_FALSE(wrote_any(build));
  }
}

TEST(MemorizzaPercorso, NoTrackCellsMeansNoFile) {
  Build build;
  run(build, "[generale]\r\nsfondo uno, 1\r\n[curve]\r\n[fine]\r\n");
  EXPECT_EQ(build.report.end, BuildEnd::kNoCells);
  ASSERT_NE(final_compile_error(build.report), nullptr);
  EXPECT_EQ(final_compile_error(build.report)->code, kReadFailed);
  EXPECT_FALSE(wrote_any(build));
}

TEST(MemorizzaPercorso, ACompileErrorStillWritesTheFilesAndSetsStatusOne) {
  Build build;
  run(build, line_text("cartello_indicatore, 500, (a)\r\ncartello_indicatore, 500, (b)\r\n"));
  EXPECT_EQ(build.report.end, BuildEnd::kDone);
  ASSERT_EQ(build.report.findings.size(), 1u);
  EXPECT_EQ(build.report.findings[0].code, 6);
  EXPECT_EQ(build.report.findings[0].position, 500);
  EXPECT_TRUE(wrote_any(build));
  EXPECT_EQ(build.report.findings[0].cell, 11);
  EXPECT_EQ(build.report.findings[0].location, (SourceLocation{SourceLocation::Text::kLine, 5, 1}));
}

TEST(MemorizzaPercorso, MarkerWarningsStandApartFromTheCompileErrors) {
  Build build;
  // A slowdown start in cell 41 whose rule B cells 36, 35, 34 all hold
  // signals: the marker pass records a failed placement after the compile
  // error of the second station.
  const std::string train =
      "[generale]\r\n"
      "segnale, 1750, 1,0,0,0,0,0,0,0,0,0\r\n"
      "segnale, 1700, 1,0,0,0,0,0,0,0,0,0\r\n"
      "segnale, 1650, 1,0,0,0,0,0,0,0,0,0\r\n"
      "rallentamento, 2000, 60, 100, 0, 0, 0\r\n"
      "abbattimento, 1000, 1\r\nabbattimento, 1000, 1\r\n[fine]\r\n";
  run(build, line_text(""), train);
  ASSERT_EQ(build.report.findings.size(), 1u);
  EXPECT_EQ(build.report.findings[0].code, 7);
  ASSERT_FALSE(build.report.warnings.empty());
  EXPECT_EQ(build.report.warnings[0].code, 12);
}

// A line text that ends at an entry outside the line still lets the train
// text be read: its failure follows the line text's, and is the one the
// build ends on.
TEST(MemorizzaPercorso, FindingsOfBothTextsComeInTheOrderFound) {
  Build build;
  run(build, line_text("pendenza, 90000, 1\r\n"),
      "[generale]\r\nstazione, 25, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, X\r\n[fine]\r\n");
  ASSERT_EQ(build.report.findings.size(), 2u);
  EXPECT_EQ(build.report.findings[0].code, 15);
  EXPECT_EQ(build.report.findings[0].location, (SourceLocation{SourceLocation::Text::kLine, 4, 1}));
  EXPECT_EQ(build.report.findings[1].code, 8);
  EXPECT_EQ(build.report.findings[1].location,
            (SourceLocation{SourceLocation::Text::kTrain, 2, 1}));
  EXPECT_EQ(final_compile_error(build.report), &build.report.findings[1]);
}

// A file system that notes every read and every deletion, in order.
class EffectsFileSystem : public MemoryFileSystem {
 public:
  std::vector<std::string> effects;

  bool read_file(const std::string& path, const ReadLimit& limit, std::string* contents,
                 std::string* error) override {
    effects.push_back("read " + path);
    return MemoryFileSystem::read_file(path, limit, contents, error);
  }
  bool remove(const std::string& path) override {
    effects.push_back("remove " + path);
    return MemoryFileSystem::remove(path);
  }
};

// The bare run's own texts are deleted as the reading goes: each once its
// reader is done with it, and both at a read failure; a text that stops the
// compilation keeps the train text, which is never read.
TEST(MemorizzaPercorso, TheRunsOwnTextsAreDeletedAsTheReadingGoes) {
  const std::string line = "/d/S_linea.txt";
  const std::string train = "/d/S_1-.txt";
  const std::string read_line = "read " + line;
  const std::string read_train = "read " + train;
  const std::string remove_line = "remove " + line;
  const std::string remove_train = "remove " + train;
  struct Case {
    const char* name;
    std::string line_text;  // empty: no line text
    std::string train_text;
    std::string unreadable;
    bool delete_after_reading;
    std::vector<std::string> effects;
    std::vector<std::string> left;  // the texts still there after the build
  };
  const Case cases[] = {
      {"clean",
       line_text(""),
       kTrainText,
       "",
       true,
       {read_line, remove_line, read_train, remove_train},
       {}},
      {"sources kept",
       line_text(""),
       kTrainText,
       "",
       false,
       {read_line, read_train},
       {train, line}},
      {"no line text", "", kTrainText, "", true, {}, {train}},
      {"line text unreadable",
       line_text(""),
       kTrainText,
       line,
       true,
       {read_line, remove_line, remove_train},
       {}},
      {"line text ends early",
       "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\npendenza, 30",
       kTrainText,
       "",
       true,
       {read_line, remove_line, remove_train},
       {}},
      {"line text stops the compilation",
       "[generale]\r\nlunghezza percorso, 1000001\r\n[curve]\r\n[fine]\r\n",
       kTrainText,
       "",
       true,
       {read_line, remove_line},
       {train}},
      {"train text unreadable",
       line_text(""),
       kTrainText,
       train,
       true,
       {read_line, remove_line, read_train, remove_train},
       {}},
      {"train text ends early",
       line_text(""),
       "[generale]\r\nsegnale, 850, 2",
       "",
       true,
       {read_line, remove_line, read_train, remove_train},
       {}},
  };
  for (const Case& c : cases) {
    EffectsFileSystem file_system;
    if (!c.line_text.empty()) file_system.files[line] = c.line_text;
    file_system.files[train] = c.train_text;
    if (!c.unreadable.empty()) file_system.unreadable.insert(c.unreadable);
    BuildState state;
    BuildPlan plan;
    plan.texts = {line, train, c.delete_after_reading};
    plan.write_files = false;
    memorizza_percorso(state, kWithLineTrace, file_system, plan);
    EXPECT_EQ(file_system.effects, c.effects) << c.name;
    std::vector<std::string> left;
    for (const auto& [path, bytes] : file_system.files) left.push_back(path);
    EXPECT_EQ(left, c.left) << c.name;
  }
}

}  // namespace
}  // namespace sb
