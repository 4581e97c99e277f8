#include "app/cli.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <memory>
#include <sstream>
#include <streambuf>
#include <vector>

#include "app/cli_for_test.h"
#include "app/exit_status.h"
#include "compiler/memorizza_percorso.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

const char kLine[] =
    "[generale]\r\n"
    "lunghezza percorso, 5000\r\n"
    "[curve]\r\n"
    "curvad4, 1000, 500\r\n"
    "pendenza, 0, 3\r\n"
    "[fine]\r\n";
const char kTrain[] =
    "[generale]\r\n"
    "orologio, 12 0 0\r\n"
    "velocita, 0, 100\r\n"
    "stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, ALFA\r\n"
    "segnale, 2000, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"
    "[fine]\r\n";

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    files_.files["in/S_linea.txt"] = kLine;
    files_.files["in/S_7-.txt"] = kTrain;
  }

  Outcome run(std::vector<const char*> args) { return run_cli_on(files_, std::move(args)); }

  MemoryFileSystem files_;
};

TEST_F(Cli, CompileWritesTheThreeFilesNamedAfterTheInputsAndKeepsTheInputs) {
  const Outcome result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "scenario-builder: wrote out/S_linea.dat, out/S_7.sim and out/S_7.dat\n");
  EXPECT_EQ(files_.files.count("out/S_linea.dat"), 1u);
  EXPECT_EQ(files_.files.count("out/S_7.sim"), 1u);
  EXPECT_EQ(files_.files.count("out/S_7.dat"), 1u);
  EXPECT_EQ(files_.files["in/S_linea.txt"], kLine);
  EXPECT_EQ(files_.files["in/S_7-.txt"], kTrain);
  EXPECT_TRUE(files_.removed.empty());
}

// A train text whose station is short of its seconds: an error by default
// (the station takes the signal's keyword field as its name).
const char kTrainShortOfAValue[] =
    "[generale]\r\n"
    "orologio, 12 0 0\r\n"
    "velocita, 0, 100\r\n"
    "stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0, ALFA\r\n"
    "segnale, 2000, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"
    "[fine]\r\n";

TEST_F(Cli, ACompileWithAnErrorKeepsTheLastGoodFiles) {
  ASSERT_EQ(run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out"}).status, 0);
  const std::map<std::string, std::string> good = files_.files;
  files_.files["in/S_7-.txt"] = kTrainShortOfAValue;
  Outcome result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "in/S_7-.txt:4:1: error W26: the station entry at line 4 has 16 values before the "
            "next entry `segnale` (line 5): 17 are expected [-Werror=values-shifted]\n"
            "1 error, 0 warnings\n"
            "scenario-builder: error: nothing written; the files in out/ are from the last clean "
            "compile (--write-on-error writes them)\n");
  for (const char* name : {"out/S_linea.dat", "out/S_7.sim", "out/S_7.dat"}) {
    EXPECT_EQ(files_.files[name], good.at(name)) << name;
  }
  result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "new"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("scenario-builder: error: nothing written; new/ holds no files of "
                            "this scenario yet (--write-on-error writes them)\n"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(files_.files.count("new/S_7.sim"), 0u);
  // A warning that --werror makes an error writes nothing either.
  files_.files["in/S_7-.txt"] = kTrain;
  files_.files["in/S_linea.txt"] =
      "[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\npendeza, 300, 2\r\n[fine]\r\n";
  result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "new", "--werror"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(files_.files.count("new/S_7.sim"), 0u);
}

// With --write-on-error -Wno-error a compile writes, exits and reports as
// the build alone does: the files memorizza_percorso writes, its exit
// status, its first error.
TEST_F(Cli, WriteOnErrorWithoutErrorsOfWarningsIsTheBuildAsItWas) {
  const struct {
    const char* what;
    std::string train;
    const char* first_error;  // the first line saying "error", or none
  } cases[] = {
      {"clean", kTrain, nullptr},
      {"a slip that is an error by default", kTrainShortOfAValue, nullptr},
      {"an error of the compile",
       std::string(kTrain).insert(std::string(kTrain).find("[fine]"),
                                  "segnale, 2000, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"),
       "in/S_7-.txt:6:1: error E16: the signal at 2000 m needs cell 41 at 2050 m, which already "
       "holds the signal at 2000 m (in/S_7-.txt:5:1)"},
  };
  for (const auto& c : cases) {
    files_.files["in/S_7-.txt"] = c.train;
    MemoryFileSystem reference;
    BuildState state;
    state.scenario_name = "S";
    state.train_number = "7";
    BuildPlan plan;
    const std::string line = kLine;
    plan.texts = {"in/S_linea.txt", "in/S_7-.txt", false, &line, &c.train};
    plan.outputs = scenario_file_names("out", "S", "7");
    const BuildReport report = memorizza_percorso(state, kWithLineTrace, reference, plan);

    files_.files.erase("out/S_linea.dat");
    files_.files.erase("out/S_7.sim");
    files_.files.erase("out/S_7.dat");
    const Outcome result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out",
                                "--write-on-error", "-Wno-error"});
    EXPECT_EQ(result.status, exit_status(report)) << c.what;
    for (const char* name : {"out/S_linea.dat", "out/S_7.sim", "out/S_7.dat"}) {
      EXPECT_EQ(files_.files[name], reference.files[name]) << c.what << " " << name;
    }
    const size_t error = result.err.find(": error ");
    if (c.first_error == nullptr) {
      EXPECT_EQ(error, std::string::npos) << c.what << "\n" << result.err;
    } else {
      const size_t start = result.err.rfind('\n', error) + 1;
      EXPECT_EQ(result.err.substr(start, result.err.find('\n', error) - start), c.first_error)
          << c.what;
    }
  }
}

TEST_F(Cli, CompileTakesNamesFromOptionsWhenTheInputsAreNamedOtherwise) {
  files_.files["line.txt"] = kLine;
  files_.files["train.txt"] = kTrain;
  Outcome result = run({"compile", "line.txt", "train.txt", "-o", "out"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "scenario-builder: the line text line.txt is not named NAME_linea.txt: give the "
            "scenario name with --scenario\n");
  result = run({"compile", "line.txt", "train.txt", "-o", "out", "--scenario", "Citt\xC3\xA0",
                "--train-number", "12"});
  EXPECT_EQ(result.status, 0) << result.err;
  // The file is named as the command line spells it; its records hold the
  // name in Windows-1252.
  ASSERT_EQ(files_.files.count("out/Citt\xC3\xA0_12.sim"), 1u);
  EXPECT_NE(files_.files["out/Citt\xC3\xA0_12.sim"].find("Citt\xE0"), std::string::npos);
  result = run({"compile", "line.txt", "train.txt", "--scenario", "../x", "--train-number", "1"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "scenario-builder: the scenario name \"../x\" holds a path separator\n");
}

TEST_F(Cli, CompileCreatesAMissingOutputDirectory) {
  files_.uncreatable.insert("ro/out");
  Outcome result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "ro/out"});
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.err,
            "scenario-builder: cannot create the directory ro/out: Permission denied\n");
  result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "new/out"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(files_.directories.count("new/out"), 1u);
}

TEST_F(Cli, CheckSaysWhenThereIsNoError) {
  const size_t before = files_.files.size();
  const Outcome clean = run({"check", "in/S_linea.txt", "in/S_7-.txt"});
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.err, "scenario-builder: no errors in in/S_linea.txt and in/S_7-.txt\n");
  EXPECT_EQ(files_.files.size(), before);
}

TEST_F(Cli, CheckReportsButWritesNothing) {
  files_.files["in/S_7-.txt"] =
      std::string(kTrain) + "segnale, 2000, 1, 0,0,0, 0, 0, 0,0,0, 0\r\n[fine]\r\n";
  const size_t before = files_.files.size();
  const Outcome result = run({"check", "in/S_linea.txt", "in/S_7-.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "in/S_7-.txt:7:1: error E16: the signal at 2000 m needs cell 41 at 2050 m, which "
            "already holds the signal at 2000 m; moving it to 2050 m or 1950 m frees every cell "
            "it needs (in/S_7-.txt:5:1)\n"
            "1 error, 0 warnings\n");
  EXPECT_EQ(files_.files.size(), before);
}

TEST_F(Cli, BrokenInputsGiveDiagnosticsWithTheirLines) {
  struct Case {
    const char* line;
    const char* train;
    const char* diagnostic;
  };
  const Case cases[] = {
      {"[generale]\r\nlunghezza percorso, 2000000\r\n[fine]\r\n", kTrain,
       "in/S_linea.txt:2:1: error E1: the route length 2000000 m is outside 0 to 1000000 m\n"
       "scenario-builder: the line text gave no usable route length, so there are no track "
       "cells"},
      {"lunghezza percorso, 5000\r\n[fine]\r\n", kTrain,
       "in/S_linea.txt:1:1: error E102: no field contains \"[generale]\": the text has no "
       "general section\n"
       "scenario-builder: the line text gave no usable route length, so there are no track "
       "cells"},
      {"[generale]\r\nlunghezza percorso, 5000\r\nripetizione segnali, 100, 200\r\n[fine]\r\n",
       kTrain,
       "in/S_linea.txt:3:1: error E5: the cab-signalling keyword field `ripetizione "
       "segnali` names neither 4 nor 9 codes"},
      {"[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\npendenza, 11950, 2\r\n[fine]\r\n",
       kTrain,
       "in/S_linea.txt:4:1: error E15: the gradient change at 11950 m lies outside the "
       "line: an entry's position + 100 m must lie within the cells, which end at 12000 "
       "m, cell 240 (route length 5000 m); the compile reads no further in this text"},
      {kLine,
       "[generale]\r\nstazione, 1025, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, ALFA\r\n[fine]\r\n",
       "in/S_7-.txt:2:1: error E8: the station at 1025 m does not stand at a multiple of 50 m"},
      {kLine,
       "[generale]\r\nstazione, 1000, 300, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, A\r\n[fine]\r\n",
       "in/S_7-.txt:2:17: error E25: the value 300 does not fit a byte (0 to 255)"},
      {kLine, "[generale]\r\nsegnale, 2000, 1\r\n",
       "in/S_7-.txt:2:16: error E25: read failure: the text ends where a field was expected"},
  };
  for (const Case& c : cases) {
    files_.files["in/S_linea.txt"] = c.line;
    files_.files["in/S_7-.txt"] = c.train;
    const Outcome result =
        run({"check", "in/S_linea.txt", "in/S_7-.txt", "-Wno-missing-entry", "-Wno-cut-short"});
    EXPECT_EQ(result.err, std::string(c.diagnostic) + "\n1 error, 0 warnings\n") << c.diagnostic;
    EXPECT_NE(result.status, 0);
  }
  // A check never writes, so only compile says that nothing was written.
  files_.files["in/S_linea.txt"] = cases[0].line;
  const Outcome compiled = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out",
                                "-Wno-missing-entry", "-Wno-cut-short"});
  EXPECT_NE(compiled.err.find("so there are no track cells: no scenario file was written\n"),
            std::string::npos)
      << compiled.err;
}

TEST_F(Cli, WarningsAreListedWithTheirNamesAndCanBeSilencedOrMadeErrors) {
  files_.files["in/S_linea.txt"] =
      "[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\npendeza, 300, 2\r\n[fine]\r\n";
  const std::string warning =
      "in/S_linea.txt:4:1: warning W21: `pendeza` matches no entry and is skipped; did you "
      "mean `pendenza`? [-Wunknown-keyword]\n";
  Outcome result = run({"check", "in/S_linea.txt", "in/S_7-.txt"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, warning + "0 errors, 1 warning\n");
  result = run({"check", "in/S_linea.txt", "in/S_7-.txt", "--werror"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "in/S_linea.txt:4:1: error W21: `pendeza` matches no entry and is skipped; did you "
            "mean `pendenza`? [-Werror=unknown-keyword]\n1 error, 0 warnings\n");
  result = run({"check", "in/S_linea.txt", "in/S_7-.txt", "-Werror", "-Wno-error=W21"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, warning + "0 errors, 1 warning\n");
  result = run({"check", "in/S_linea.txt", "in/S_7-.txt", "-Wno-W21"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "scenario-builder: no errors in in/S_linea.txt and in/S_7-.txt\n");
  result = run({"check", "-Wno-unknown-keyword", "in/S_linea.txt", "in/S_7-.txt", "--werror"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "scenario-builder: no errors in in/S_linea.txt and in/S_7-.txt\n");
  result = run({"check", "in/S_linea.txt", "in/S_7-.txt", "-Wno-spelling"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.rfind("scenario-builder: unknown warning -Wno-spelling; the warnings are: "
                             "code-point-signal code-point-slowdown code-point-slow "
                             "unknown-keyword keyword-case ",
                             0),
            0u)
      << result.err;
}

TEST_F(Cli, CheckSummaryTellsWhatTheScenarioHolds) {
  files_.files["in/S_linea.txt"] =
      "[generale]\r\nlunghezza percorso, 5000\r\n"
      "progressiva chilometrica uno, 0, 120000, 0\r\n[curve]\r\ncurvad4, 1000, 500\r\n"
      "pendenza, 0, 3\r\n[fine]\r\n";
  files_.files["in/S_7-.txt"] =
      "[generale]\r\norologio, 12 0 0\r\n"
      "stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, ALFA\r\n"
      "stazione, 2500, 12, 400, 0,0,0, 1,1,0, 4,1,1, 30, 12,5,0, BETA\r\n"
      "stazione, 4000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 12,9,30, GAMMA\r\n"
      "abbattimento, 3000, 2\r\n[fine]\r\n";
  const Outcome result = run({"check", "in/S_linea.txt", "in/S_7-.txt", "--summary"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out,
            "route: 5000 m, cells 0 to 240 of 50 m; chainage 120+000 to 125+000\n"
            "line: 1 curve, 1 gradient change, 0 mountain stretches, 0 speed boards, 0 "
            "indication boards\n"
            "train: 3 stations, 0 signals, 0 slowdowns, 1 code point in the cells\n"
            "timetable:\n"
            "  station   route km  chainage  arrival   departure\n"
            "  ALFA         1.000  121+000             12:00:00\n"
            "  BETA         2.500  122+500   12:04:30  12:05:00\n"
            "  GAMMA        4.000  124+000   12:09:30\n"
            "legs (fastest: at the limits and slowdowns, without accelerating or braking):\n"
            "  from   to          km  scheduled  fastest  slack\n"
            "  ALFA   BETA     1.500       4:30        -      -\n"
            "  BETA   GAMMA    1.500       4:30        -      -\n");
}

// As JSON the summary is a member of the one document, beside the
// diagnostics, which include the checks of meaning.
TEST_F(Cli, CheckSummaryAsJsonHoldsTheTimetableLegs) {
  files_.files["in/S_linea.txt"] =
      "[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\n[fine]\r\n";
  files_.files["in/S_7-.txt"] =
      "[generale]\r\norologio, 12 0 0\r\nvelocita, 0, 60\r\n"
      "stazione, 1000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, ALFA\r\n"
      "stazione, 2500, 12, 400, 0,0,0, 1,1,0, 4,1,1, 30, 12,5,0, BETA\r\n"
      "stazione, 4000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 12,6,0, GAMMA\r\n[fine]\r\n";
  const Outcome result =
      run({"check", "in/S_linea.txt", "in/S_7-.txt", "--summary", "--format=json"});
  EXPECT_EQ(result.status, 0) << result.err;
  const nlohmann::json document = nlohmann::json::parse(result.out);
  ASSERT_EQ(document["diagnostics"].size(), 1u) << result.out;
  EXPECT_EQ(document["diagnostics"][0]["name"], "infeasible-leg");
  const nlohmann::json& timetable = document["summary"]["timetable"];
  ASSERT_EQ(timetable["legs"].size(), 2u) << result.out;
  EXPECT_EQ(timetable["legs"][1].dump(),
            R"({"distance":1500,"fastest":90,"from":1,"scheduled":60,"slack":-30,"tightest":true,)"
            R"("to":2})");
  EXPECT_EQ(timetable["tightest"], 1);
  EXPECT_EQ(timetable["stations"][2]["name"], "GAMMA");

  const Outcome silenced = run({"check", "in/S_linea.txt", "in/S_7-.txt", "--summary",
                                "--format=json", "-Wno-infeasible-leg"});
  EXPECT_EQ(nlohmann::json::parse(silenced.out)["warnings"], 0) << silenced.out;
}

TEST_F(Cli, TenMistakesAreAllReportedInOneRun) {
  files_.files["in/S_linea.txt"] =
      "[generale]\r\n"
      "lunghezza percorso, 32000\r\n"
      "Progressiva Chilometrica Uno, 0, 350000, 0\r\n"
      "ripetizione segnali, 100, 200\r\n"
      "[curve]\r\n"
      "pendeza, 300, 3\r\n"
      "pendenza, 6000, 12x\r\n"
      "[fine]\r\n";
  files_.files["in/S_7-.txt"] =
      "[generale]\r\n"
      "orologio, 12 0 0\r\n"
      "aderenza, 0, 300\r\n"
      "velocita, 0, 60\r\n"
      "velocita, 2000, 100\r\n"
      "velocita, 1000, 80\r\n"
      "stazione, 1025, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, COLLE, ALTO\r\n"
      "stazone, 5000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,5,0, B\r\n"
      "segnale, 300, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"
      "[fine]\r\n";
  const Outcome result = run({"check", "in/S_linea.txt", "in/S_7-.txt"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err,
            "in/S_linea.txt:3:1: warning W22: `Progressiva Chilometrica Uno` would start a "
            "chainage one entry but for letter case: its keyword is compared exactly "
            "(`progressiva chilometrica uno`); skipped [-Wkeyword-case]\n"
            "in/S_linea.txt:4:1: error E5: the cab-signalling keyword field `ripetizione "
            "segnali` names neither 4 nor 9 codes\n"
            "in/S_linea.txt:6:1: warning W21: `pendeza` matches no entry and is skipped; did "
            "you mean `pendenza`? [-Wunknown-keyword]\n"
            "in/S_linea.txt:7:17: warning W24: the gradient change's gradient `12x` is not a "
            "whole number: it reads 0 [-Wnot-a-number]\n"
            "in/S_7-.txt:3:14: warning W30: the adhesion's adhesion 300 lies outside 0 to 255: "
            "only its low 8 bits are kept (44) [-Wrange]\n"
            "in/S_7-.txt:6:1: warning W29: the speed limit at 1000 m stands before the previous "
            "one (line 5, 2000 m): out of order, it writes a single cell [-Worder]\n"
            "in/S_7-.txt:7:1: error E8: the station at 1025 m does not stand at a multiple of "
            "50 m\n"
            "in/S_7-.txt:7:66: warning W27: the station's name `COLLE` ends at the comma before "
            "`ALTO`, which is read as a keyword field: quote the text to keep the comma "
            "[-Wcut-at-comma]\n"
            "in/S_7-.txt:8:1: warning W21: `stazone` matches no entry and is skipped; did you "
            "mean `stazione`? [-Wunknown-keyword]\n"
            "in/S_7-.txt:9:1: error E15: the signal at 300 m stands too near the start of the "
            "line: its approach marks take the 8 cells before its own, so a signal stands at "
            "325 m or beyond; the compile reads no further in this text\n"
            "3 errors, 7 warnings\n");
}

TEST_F(Cli, AStoppedBuildSaysWhichEntryTookTheCellOfTheMarks) {
  files_.files["in/S_linea.txt"] =
      "[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\n"
      "indicatori_vmax, 0, 100, 100, 100, 0, 100, 100, 100, 0\r\n[fine]\r\n";
  const Outcome result = run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out"});
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.err,
            "scenario-builder:  Errore n. 1250: cell 1 (at 50 m), which carries the format mark, "
            "already holds a speed board with value 2020, put there by the maximum-speed board "
            "at 0 m (in/S_linea.txt:4:1); no file was written\n");
  EXPECT_EQ(files_.files.count("out/S_7.sim"), 0u);
}

TEST_F(Cli, TheStarterScenarioGivesNoWarning) {
  ASSERT_EQ(run({"new", "Mia", "101", "-o", "start"}).status, 0);
  const Outcome result = run({"check", "start/Mia_linea.txt", "start/Mia_101-.txt", "--werror"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err.find("warning"), std::string::npos) << result.err;
}

TEST_F(Cli, TheBuiltInTextsGiveNoWarning) {
  ASSERT_EQ(run({"--dir", "b", "--keep-sources"}).status, 0);
  const Outcome result =
      run({"check", "b/Valmira_Lunerio_linea.txt", "b/Valmira_Lunerio_37924-.txt", "--werror"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err,
            "scenario-builder: no errors in b/Valmira_Lunerio_linea.txt and "
            "b/Valmira_Lunerio_37924-.txt\n");
}

// A misspelt command is answered with the command line as typed, the
// nearest command in its place; `help COMMAND` prints that command's help.
TEST_F(Cli, AMisspeltCommandGetsTheNearestAndHelpNamesOne) {
  const struct {
    std::vector<const char*> args;
    int status;
    const char* err;
  } cases[] = {
      {{"chek", "in/S_linea.txt", "in/S_7-.txt"},
       2,
       "scenario-builder: `chek` is not a command; did you mean `scenario-builder check "
       "in/S_linea.txt in/S_7-.txt`?\n"},
      {{"complie", "a"},
       2,
       "scenario-builder: `complie` is not a command; did you mean "
       "`scenario-builder compile a`?\n"},
      {{"help", "dupm"},
       2,
       "scenario-builder: help: `dupm` is not a command; did you mean "
       "`scenario-builder dump`?\n"},
      {{"help", "check"}, 0, ""},
  };
  for (const auto& c : cases) {
    const Outcome result = run(c.args);
    EXPECT_EQ(result.status, c.status) << c.args[0];
    EXPECT_EQ(result.err, c.err) << c.args[0];
  }
  const Outcome unknown = run({"xyzzy"});
  EXPECT_EQ(unknown.err.rfind("scenario-builder: `xyzzy` is not a command; the commands are new, "
                              "compile, check, ",
                              0),
            0u)
      << unknown.err;
  const Outcome help = run({"help", "check"});
  EXPECT_EQ(help.out, run({"check", "--help"}).out);
  for (const char* option : {"-Wall", "-Werror", "-Wno-error ", "-Wno-error=NAME", "-Wno-NAME"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
}

// `check --cells` lists the cells around a position with the entry, by text
// and line, that holds each, those away from the entry's position too.
TEST_F(Cli, CheckListsTheCellsAroundAPositionWithTheirEntries) {
  ASSERT_EQ(run({"new", "Mia", "101", "-o", "start"}).status, 0);
  const Outcome result =
      run({"check", "start/Mia_linea.txt", "start/Mia_101-.txt", "--cells", "1650"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("cells around 1650 m (cell 33, chainage 13+650):\n"
                             "     cell       from  compiled as         held by\n"
                             "       23     1150 m  -\n",
                             0),
            0u)
      << result.out;
  for (const char* row : {
           "\n       29     1450 m  slowdown warning    the slowdown at 2600 m (its warning cell), "
           "start/Mia_101-.txt:28\n",
           "\n>      33     1650 m  signal              the signal at 1600 m, "
           "start/Mia_101-.txt:32\n",
           "\n       35     1750 m  code point          added by the compile around a slowdown\n",
           "\n       43     2150 m  mountain marker     a mountain stretch's marker\n",
       }) {
    EXPECT_NE(result.out.find(row), std::string::npos) << row << result.out;
  }
}

// Slips named for what they are, at their place and with their severity:
// the train text is kTrain with `entries` on its line 6 on.
TEST_F(Cli, SlipsAreNamedAtTheirPlace) {
  const struct {
    const char* command;
    const char* entries;
    int status;
    const char* err;
  } cases[] = {
      {"check", "velocita;1500;80\r\n", 1,
       "in/S_7-.txt:6:1: error W26: the speed limit entry at line 6 has 0 values before the "
       "section header `[fine]` (line 7): 2 are expected; values are separated by commas, not "
       "semicolons [-Werror=values-shifted]\n"
       "in/S_7-.txt:7:1: error E25: read failure: the text ends where a field was expected\n"
       "2 errors, 0 warnings\n"},
      {"check", "velocita\t1500\t80\r\n", 1,
       "in/S_7-.txt:6:1: error W26: the speed limit entry at line 6 has 0 values before the "
       "section header `[fine]` (line 7): 2 are expected; values are separated by commas, not "
       "tabs [-Werror=values-shifted]\n"
       "in/S_7-.txt:7:1: error E25: read failure: the text ends where a field was expected\n"
       "2 errors, 0 warnings\n"},
      {"check", "segnale, 2500, 5, 4,1,0, 0, 1, 3,1,0, 0\r\n", 0,
       "in/S_7-.txt:6:16: warning W30: the signal's sx 5 lies outside 0 to 3: packed in "
       "decimal with its neighbours: they mix [-Wrange]\n"
       "0 errors, 1 warning\n"},
      {"check",
       "segnale, 3200, 1, 4,1,0, 0, 1, 3,1,0, 0\r\nrallentamento, 3200, 60, 700, 0, 0, 60\r\n", 1,
       "in/S_7-.txt:7:1: error E17: the slowdown at 3200 m needs its warning cell 41 at 2050 m, "
       "which already holds the signal at 2000 m; moving it to 3250 m or 3150 m frees every "
       "cell it needs (in/S_7-.txt:5:1)\n"
       "in/S_7-.txt:7:1: error E18: the slowdown at 3200 m needs its start cell 65 at 3250 m, "
       "which already holds the signal at 3200 m (in/S_7-.txt:6:1)\n"
       "2 errors, 0 warnings\n"},
      // The compile keeps its own first error as it is.
      {"compile",
       "segnale, 3200, 1, 4,1,0, 0, 1, 3,1,0, 0\r\nrallentamento, 3200, 60, 700, 0, 0, 60\r\n", 1,
       "in/S_7-.txt:7:1: error E17: the slowdown at 3200 m needs its warning cell 41 at 2050 m, "
       "which already holds the signal at 2000 m (in/S_7-.txt:5:1)\n"
       "1 error, 0 warnings\n"
       "scenario-builder: error: nothing written; out/ holds no files of this scenario yet "
       "(--write-on-error writes them)\n"},
  };
  for (const auto& c : cases) {
    std::string train = kTrain;
    train.insert(train.find("[fine]"), c.entries);
    files_.files["in/S_7-.txt"] = train;
    std::vector<const char*> args = {c.command, "in/S_linea.txt", "in/S_7-.txt"};
    if (std::string_view(c.command) == "compile") args.insert(args.end(), {"-o", "out"});
    const Outcome result = run(args);
    EXPECT_EQ(result.status, c.status) << c.entries;
    EXPECT_EQ(result.err, c.err) << c.entries;
  }
}

// `check --chainage` finds where the kilometre posts read a chainage (the
// starter's read 12+000 at 0 m) and lists the cells there.
TEST_F(Cli, CheckFindsAChainageOnTheRoute) {
  ASSERT_EQ(run({"new", "Mia", "101", "-o", "start"}).status, 0);
  const struct {
    const char* chainage;
    int status;
    const char* out;  // its start
    const char* err;  // its end
  } cases[] = {
      {"13+650", 0,
       "chainage 13+650 is at 1650 m\ncells around 1650 m (cell 33, chainage 13+650):\n",
       "no errors in start/Mia_linea.txt and start/Mia_101-.txt\n"},
      {"km 13+650", 0, "chainage 13+650 is at 1650 m\n", "\n"},
      {"30+000", 0,
       "chainage 30+000 is nowhere on the route: the posts read 12+000 at 0 m and "
       "18+000 at 6000 m\n",
       "\n"},
      {"13.650", 2, "",
       "scenario-builder check: --chainage 13.650: a chainage is written KM+M, such as 15+300 or "
       "km 354+000\n"},
  };
  for (const auto& c : cases) {
    const Outcome result =
        run({"check", "start/Mia_linea.txt", "start/Mia_101-.txt", "--chainage", c.chainage});
    EXPECT_EQ(result.status, c.status) << c.chainage;
    EXPECT_EQ(result.out.rfind(c.out, 0), 0u) << c.chainage << ": " << result.out;
    EXPECT_TRUE(result.err.ends_with(c.err)) << c.chainage << ": " << result.err;
  }
}

// `explain` prints what a code means, found by code or warning name; an
// unknown one is a usage error that names the nearest.
TEST_F(Cli, ExplainPrintsACodesMeaning) {
  const Outcome by_code = run({"explain", "W31"});
  EXPECT_EQ(by_code.status, 0);
  EXPECT_EQ(by_code.err, "");
  EXPECT_EQ(by_code.out.rfind("W31 `encoding`, a warning: a text that looks like UTF-8 or UTF-16\n"
                              "\nWhat it means: ",
                              0),
            0u)
      << by_code.out;
  EXPECT_EQ(run({"explain", "encoding"}).out, by_code.out);
  const struct {
    const char* code;
    const char* err;
  } unknown[] = {
      {"E23",
       "scenario-builder explain: `E23` is no error or warning code; codes are E1 to E105 and "
       "W11 to W57, or a warning's name as -Wno-NAME takes it\n"},
      {"encodng",
       "scenario-builder explain: `encodng` is no error or warning code (did you mean "
       "`encoding`?); codes are E1 to E105 and W11 to W57, or a warning's name as -Wno-NAME "
       "takes it\n"},
  };
  for (const auto& c : unknown) {
    const Outcome result = run({"explain", c.code});
    EXPECT_EQ(result.status, 2) << c.code;
    EXPECT_EQ(result.out, "") << c.code;
    EXPECT_EQ(result.err, c.err) << c.code;
  }
}

// The wrong file given: each message names what happened, before any
// complaint about a name.
TEST_F(Cli, TheWrongFileIsNamedForWhatItIs) {
  files_.files["in/S_linea.dat"] = std::string("\0\x01\0\x02", 4);
  files_.files["in/T_7-.txt"] = kTrain;
  const struct {
    std::vector<const char*> args;
    const char* err;
  } cases[] = {
      {{"compile", "in/S_linea.txt", "in/missing-.txt"},
       "scenario-builder: cannot read in/missing-.txt: No such file or directory\n"},
      {{"compile", "in/S_linea.txt", "in/S_8-.txt"},
       "scenario-builder: cannot read in/S_8-.txt: No such file or directory\n"},
      {{"check", "in/s_linea.txt", "in/S_7-.txt"},
       "scenario-builder: cannot read in/s_linea.txt: No such file or directory\n"},
      {{"check", "in/S_7-.txt", "in/S_linea.txt"},
       "scenario-builder: the texts are given the other way round: the line text (S_linea.txt) "
       "comes first, then the train text (S_7-.txt)\n"},
      {{"check", "in/S_linea.txt", "in/T_7-.txt"},
       "scenario-builder: the train text in/T_7-.txt is of the scenario T, the line text "
       "in/S_linea.txt of the scenario S: give texts of one scenario, or name it with "
       "--scenario and --train-number\n"},
      {{"compile", "in/S_linea.dat", "in/S_7-.txt"},
       "scenario-builder: in/S_linea.dat is a compiled file, not a source text: compile reads "
       "the two texts, NAME_linea.txt and NAME_N-.txt (dump in/S_linea.dat shows what the file "
       "holds)\n"},
  };
  for (const auto& c : cases) {
    const Outcome result = run(c.args);
    EXPECT_EQ(result.status, 2) << c.args[1];
    EXPECT_EQ(result.err, c.err) << c.args[1];
  }
}

TEST_F(Cli, DumpDecodesACompiledFile) {
  ASSERT_EQ(run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out"}).status, 0);
  const Outcome records = run({"dump", "out/S_7.sim"});
  EXPECT_EQ(records.status, 0) << records.err;
  EXPECT_NE(records.out.find("name \"ALFA\" [text]"), std::string::npos) << records.out;
  const Outcome json = run({"dump", "out/S_7.dat", "--json"});
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out.front(), '{');
  const Outcome bad = run({"dump", "in/S_linea.txt", "--kind", "cells"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("in/S_linea.txt"), std::string::npos) << bad.err;
}

// An output stream that takes nothing, as stdout on a full disk or closed.
class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
  int sync() override { return -1; }
};

TEST_F(Cli, OutputThatCannotBeWrittenFailsWithAMessage) {
  ASSERT_EQ(run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out"}).status, 0);
  const std::vector<std::vector<const char*>> command_lines = {
      {"dump", "out/S_7.sim"},
      {"dump", "out/S_7.dat", "--json"},
      {"check", "in/S_linea.txt", "in/S_7-.txt", "--summary"},
      {"decompile", "out", "--stdout"},
  };
  for (std::vector<const char*> args : command_lines) {
    args.insert(args.begin(), "scenario-builder");
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    std::ostringstream notices, err;
    std::unique_ptr<Window> window = make_console_window(notices);
    const int status =
        run_cli(static_cast<int>(args.size()), args.data(), files_, *window, out, err);
    EXPECT_EQ(status, 3) << args[1] << ": " << err.str();
    EXPECT_TRUE(err.str().ends_with(
        "scenario-builder: cannot write the standard output: what was printed is incomplete\n"))
        << args[1] << ": " << err.str();
  }
}

TEST_F(Cli, WatchServeGivesTheServerTheWholeCommandLine) {
  const std::vector<const char*> args = {
      "scenario-builder", "watch",  "in/S_linea.txt", "in/S_7-.txt", "-Wno-encoding",
      "--serve",          "--port", "8123",           "--open",      "-Wno-error=order"};
  WatchOptions served;
  const WatchServer serve_here = [&](const WatchOptions& options, FileSystem&, std::ostream&) {
    served = options;
    return 0;
  };
  std::ostringstream notices, out, err;
  std::unique_ptr<Window> window = make_console_window(notices);
  ASSERT_EQ(
      run_cli(static_cast<int>(args.size()), args.data(), files_, *window, out, err, serve_here), 0)
      << err.str();
  EXPECT_EQ(served.command_line, std::vector<std::string>(args.begin() + 1, args.end()));
  EXPECT_EQ(served.port, 8123);
  EXPECT_TRUE(served.open_browser);
}

TEST_F(Cli, AnEmptyDirectoryOrFileNameIsAUsageErrorAndWritesNothing) {
  ASSERT_EQ(run({"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", "out"}).status, 0);
  const auto before = files_.files;
  const std::vector<std::vector<const char*>> cases = {
      {"compile", "in/S_linea.txt", "in/S_7-.txt", "-o", ""},
      {"--dir", ""},
      {"decompile", "out", "-o", ""},
      {"decompile", ""},
      {"check", "", "in/S_7-.txt"},
#ifdef SB_HAVE_PLOT
      {"plot", "out", "-o", ""},
#endif
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[0]);
    const Outcome result = run(args);
    EXPECT_EQ(result.status, 2);
    const std::string option = args[0] == std::string("--dir")   ? "--dir"
                               : args.size() == 2                ? "DIR"
                               : args[0] == std::string("check") ? "LINE"
                                                                 : "--output";
    EXPECT_EQ(result.err,
              option + ": an empty name names no file\nRun with --help for more information.\n");
    EXPECT_EQ(files_.files, before);
  }
}

TEST_F(Cli, DumpUsageErrorsSayTheyAreDumps) {
  const struct {
    std::vector<const char*> args;
    const char* first_line;
  } cases[] = {
      {{"dump", "out/S_7.sim", "--json", "--raw"},
       "scenario-builder dump: --json excludes --raw\n"},
      {{"dump", "out/S_7.sim", "--at", "x"},
       "scenario-builder dump: Could not convert: --at = x\n"},
      {{"dump", "out/S_7.sim", "--rows", "9:3"},
       "scenario-builder dump: --rows 9:3: the first row comes after the last\n"},
      {{"dump", "out/S_7.sim", "--rows", ""}, "scenario-builder dump: --rows: an empty value\n"},
      {{"dump", "out/S_7.dat", "--at", ""}, "scenario-builder dump: --at: an empty value\n"},
      {{"dump", ""}, "scenario-builder dump: FILE: an empty name names no file\n"},
  };
  for (const auto& c : cases) {
    const Outcome result = run(c.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n') + 1), c.first_line);
    EXPECT_EQ(result.out, "");
  }
}

TEST_F(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(run({"compile", "only-one.txt"}).status, 2);
  EXPECT_EQ(run({"--no-such-option"}).status, 2);
  EXPECT_EQ(run({"--help"}).status, 0);
}

// --format and --color change how diagnostics are shown, never what the
// run does: the same status, and the counts stay on stderr.
TEST_F(Cli, CheckShowsDiagnosticsAsTextJsonOrSarif) {
  files_.files["in/S_7-.txt"] = std::string(kTrain) + "segnael, 3000\r\n[fine]\r\n";
  const Outcome plain = run({"check", "in/S_linea.txt", "in/S_7-.txt"});
  const std::string diagnostic =
      "in/S_7-.txt:7:1: warning W21: `segnael` matches no entry and is skipped; did you mean "
      "`segnale`? [-Wunknown-keyword]\n";
  EXPECT_EQ(plain.err.substr(0, diagnostic.size()), diagnostic);
  EXPECT_EQ(run({"check", "in/S_linea.txt", "in/S_7-.txt", "--color=never"}).err, plain.err);

  const Outcome colored = run({"check", "in/S_linea.txt", "in/S_7-.txt", "--color=always"});
  EXPECT_EQ(colored.status, plain.status);
  EXPECT_NE(colored.err.find("\033[01;35m\033[Kwarning W21:"), std::string::npos) << colored.err;
  EXPECT_NE(colored.err.find("\nsegnael, 3000\n\033[01;32m\033[K^~~~~~~"), std::string::npos);

  const Outcome json = run({"check", "in/S_linea.txt", "in/S_7-.txt", "--format=json"});
  EXPECT_EQ(json.status, plain.status);
  EXPECT_EQ(json.err, plain.err.substr(diagnostic.size()));
  EXPECT_NE(json.out.find("\"code\": \"W21\""), std::string::npos) << json.out;
  const Outcome sarif = run({"check", "in/S_linea.txt", "in/S_7-.txt", "--format=sarif"});
  EXPECT_NE(sarif.out.find("\"ruleId\": \"W21\""), std::string::npos) << sarif.out;
  EXPECT_EQ(run({"check", "in/S_linea.txt", "in/S_7-.txt", "--format=xml"}).status, 2);
}

}  // namespace
}  // namespace sb
