#include "checks/compile_diagnostics.h"

#include <gtest/gtest.h>

#include <string>

#include "format/cells.h"
#include "model/error_codes.h"

namespace sb {
namespace {

// A failed placement of the marker pass names the entry it worked for, where
// it stands, and its cell with the metre the cell begins at.
TEST(MarkerDiagnostic, NamesTheEntryItWorkedFor) {
  const SourceLocation signal_at{SourceLocation::Text::kTrain, 12, 1};
  const SourceLocation slowdown_at{SourceLocation::Text::kTrain, 9, 1};
  const Placement signal{310, "signal", 15450, {}, signal_at};
  const Placement slowdown{400, "slowdown", 19950, "its start", slowdown_at};
  struct Case {
    MarkerWarning warning;
    const Placement* holder;
    const char* expected;
  };
  const Case cases[] = {
      {{kRuleAPlacementFailed, 'A', 310},
       &signal,
       "T.txt:12:1: warning W11: rule A: no free cell for a code point ahead of the signal at "
       "15450 m in cell 310 at 15500 m: the 20 cells before it are taken "
       "[-Wcode-point-signal]"},
      {{kRulesBToDPlacementFailed, 'C', 400},
       &slowdown,
       "T.txt:9:1: warning W12: rule C: no free cell for a code point 550 to 650 m before the "
       "start of the slowdown at 19950 m, whose start is cell 400 at 20000 m "
       "[-Wcode-point-slowdown]"},
      {{kRuleEPlacementFailed, 'E', 420},
       nullptr,
       "warning W13: rule E: no free cell for a code point near cell 420 at 21000 m, inside a "
       "slow slowdown or ahead of the first signal after it [-Wcode-point-slow]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_diagnostic(marker_diagnostic(c.warning, c.holder), "L.txt", "T.txt"),
              c.expected);
  }
}

// A compile error reads as compilers write theirs: file, line and column,
// its number, and the cell with what already holds it.
TEST(CompileError, NamesThePlaceTheCellAndItsHolder) {
  Finding taken = failure_of(kIndicationBoardTaken, {SourceLocation::Text::kLine, 5, 1});
  taken.position = 500;
  taken.cell = 11;
  taken.holder = kIndicationBoardCell;
  EXPECT_EQ(format_compile_error(taken, {"l.txt", "t.txt"}),
            "l.txt:5:1: error E6: the indication board at 500 m needs cell 11, which already "
            "holds an indication board");
}

}  // namespace
}  // namespace sb
