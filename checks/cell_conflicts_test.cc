#include "checks/cell_conflicts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

// A line text of 20000 m with an indication board at 2800 m (cell 57) on
// its line 4.
const char kLine[] =
    "[generale]\r\nlunghezza percorso, 20000\r\n[indicazioni]\r\n"
    "cartello_indicatore, 2800, (Km 2+800)\r\n[fine]\r\n";

// A train text whose entries start on line 2: a signal at 1600 m (cell 33)
// and one at 3500 m (cell 71), then `entry` on line 4.
std::string train(const std::string& entry) {
  return "[generale]\r\n"
         "segnale, 1600, 2,3,1, 0, 0, 2,2,1,0, 220\r\n"
         "segnale, 3500, 2,3,1, 0, 0, 2,2,1,0, 220\r\n" +
         entry +
         "orologio, 12 0 0\r\nstazione, 15000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 13,0,0, Z\r\n"
         "[fine]\r\n";
}

// The errors of the checks of both texts, completed, as they are printed.
std::vector<std::string> errors_of(const std::string& train_text) {
  std::vector<Diagnostic> diagnostics;
  const LineFacts line = check_line_text(kLine, &diagnostics);
  const TrainFacts facts = check_train_text(train_text, line, &diagnostics);
  complete_cell_conflicts(read_text_entries(kLine, SourceLocation::Text::kLine),
                          read_text_entries(train_text, SourceLocation::Text::kTrain), line, facts,
                          &diagnostics);
  std::vector<std::string> printed;
  for (const Diagnostic& diagnostic : diagnostics) {
    if (diagnostic.severity == Diagnostic::Severity::kError) {
      printed.push_back(format_diagnostic(diagnostic, "L.txt", "T.txt"));
    }
  }
  return printed;
}

TEST(CellConflicts, EveryHeldCellOfAnEntryAndWhereItFits) {
  const struct {
    const char* what;
    std::string entry;
    std::vector<std::string> expected;
  } cases[] = {
      {"a slowdown whose warning, start and end cells are all held",
       "rallentamento, 2800, 60, 700, 0, 0, 60\r\n",
       {"T.txt:4:1: error E17: the slowdown at 2800 m needs its warning cell 33 at 1650 m, "
        "which already holds the signal at 1600 m; moving it to 2850 m or 2750 m frees every "
        "cell it needs (T.txt:2:1)",
        "T.txt:4:1: error E18: the slowdown at 2800 m needs its start cell 57 at 2850 m, which "
        "already holds the indication board at 2800 m (L.txt:4:1)",
        "T.txt:4:1: error E19: the slowdown at 2800 m needs its end cell 71 at 3550 m, which "
        "already holds the signal at 3500 m (T.txt:3:1)"}},
      {"a slowdown whose lead-in cells meet a signal: the nearest place is further off",
       "rallentamento, 2850, 60, 100, 0, 1, 60\r\n",
       {"T.txt:4:1: error E20: the slowdown at 2850 m needs a warning lead-in cell 33 at 1650 m, "
        "which already holds the signal at 1600 m; moving it to 2750 m or 3050 m frees every "
        "cell it needs (T.txt:2:1)"}},
      {"a signal on another's cell",
       "segnale, 3520, 2,3,1, 0, 0, 2,2,1,0, 220\r\n",
       {"T.txt:4:1: error E16: the signal at 3520 m needs cell 71 at 3550 m, which already "
        "holds the signal at 3500 m; moving it to 3570 m or 3470 m frees every cell it needs "
        "(T.txt:3:1)"}},
      {"a code point on a signal's cell",
       "abbattimento, 1650, 2\r\n",
       {"T.txt:4:1: error E7: the code point at 1650 m needs cell 33 at 1650 m, which already "
        "holds the signal at 1600 m; moving it to 1700 m or 1600 m frees every cell it needs "
        "(T.txt:2:1)"}},
      {"a slowdown that fits", "rallentamento, 5000, 60, 700, 0, 0, 60\r\n", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(errors_of(train(c.entry)), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace sb
