#include "app/new_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "app/cli_for_test.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

class NewCommand : public ::testing::Test {
 protected:
  Outcome run(std::vector<const char*> args) { return run_cli_on(files_, std::move(args)); }

  MemoryFileSystem files_;
};

TEST_F(NewCommand, WritesAStarterThatChecksAndCompilesWithoutAWord) {
  const Outcome made = run({"new", "Mia", "101", "-o", "work/deep"});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(made.out,
            "wrote work/deep/Mia_linea.txt and work/deep/Mia_101-.txt\n"
            "next: scenario-builder check work/deep/Mia_linea.txt work/deep/Mia_101-.txt\n");
  EXPECT_EQ(files_.directories.count("work/deep"), 1u);

  const Outcome checked = run({"check", "work/deep/Mia_linea.txt", "work/deep/Mia_101-.txt"});
  EXPECT_EQ(checked.status, 0);
  // No error and no warning: the one line that says so.
  EXPECT_EQ(checked.err,
            "scenario-builder: no errors in work/deep/Mia_linea.txt and work/deep/Mia_101-.txt\n");

  const Outcome compiled =
      run({"compile", "work/deep/Mia_linea.txt", "work/deep/Mia_101-.txt", "-o", "out"});
  EXPECT_EQ(compiled.status, 0) << compiled.err;
  const Outcome records = run({"dump", "out/Mia_101.sim"});
  // Both stations, the indication board, the scenario and train names.
  for (const char* text : {"\"PARTENZA\"", "\"ARRIVO\"", "\"(Km 16+000)\"", "\"Mia\"", "\"101\""}) {
    EXPECT_NE(records.out.find(text), std::string::npos) << text << "\n" << records.out;
  }
  const Outcome cells = run({"dump", "out/Mia_101.dat"});
  for (const char* kind :
       {"speed board", "indication board", "mountain marker", "signal:", "slowdown start",
        "slowdown end", "code point: code value 2", "station stop"}) {
    EXPECT_NE(cells.out.find(kind), std::string::npos) << kind << "\n" << cells.out;
  }
}

// The hint is a command line to paste: a directory with a blank is quoted.
TEST_F(NewCommand, TheNextHintIsQuotedForTheShell) {
  const Outcome made = run({"new", "Mia", "101", "-o", "my work"});
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(made.out,
            "wrote my work/Mia_linea.txt and my work/Mia_101-.txt\n"
            "next: scenario-builder check 'my work/Mia_linea.txt' 'my work/Mia_101-.txt'\n");
}

TEST_F(NewCommand, NamesTheFilesAsTheCommandLineSpellsThemAndTheTextsInWindows1252) {
  ASSERT_EQ(run({"new", "Citt\xC3\xA0", "7"}).status, 0);
  const std::string& line = files_.files["./Citt\xC3\xA0_linea.txt"];
  EXPECT_EQ(line.rfind("Line text of the scenario Citt\xE0: the track.\r\n", 0), 0u) << line;
  EXPECT_EQ(files_.files.count("./Citt\xC3\xA0_7-.txt"), 1u);
}

TEST_F(NewCommand, NeverReplacesAnExistingTextWithoutForce) {
  for (const char* existing : {"w/Mia_linea.txt", "w/Mia_101-.txt"}) {
    files_.files.clear();
    files_.files[existing] = "the author's work";
    const Outcome refused = run({"new", "Mia", "101", "-o", "w"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, std::string("scenario-builder new: ") + existing +
                               " already exists: choose another NAME or N, or give --force to "
                               "replace it\n");
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(files_.files.size(), 1u) << existing;
    EXPECT_EQ(files_.files[existing], "the author's work");

    EXPECT_EQ(run({"new", "Mia", "101", "-o", "w", "--force"}).status, 0);
    EXPECT_EQ(files_.files.size(), 2u);
    EXPECT_NE(files_.files[existing], "the author's work");
  }
}

TEST_F(NewCommand, WritesNeitherTextWhenOneCannotBeWritten) {
  files_.unwritable.insert("w/Mia_101-.txt");
  const Outcome failed = run({"new", "Mia", "101", "-o", "w"});
  EXPECT_EQ(failed.status, 3);
  EXPECT_EQ(failed.err, "scenario-builder new: cannot write w/Mia_101-.txt: Permission denied\n");
  EXPECT_TRUE(files_.files.empty());

  files_.uncreatable.insert("ro");
  EXPECT_EQ(run({"new", "Mia", "101", "-o", "ro"}).err,
            "scenario-builder new: cannot create the directory ro: Permission denied\n");
}

TEST_F(NewCommand, RefusesNamesThatCannotNameTheFiles) {
  EXPECT_EQ(run({"new", "../x", "1"}).err,
            "scenario-builder new: the scenario name \"../x\" holds a path separator\n");
  EXPECT_EQ(run({"new", "Mia", "linea"}).status, 2);
  EXPECT_TRUE(files_.files.empty());
}

}  // namespace
}  // namespace sb
