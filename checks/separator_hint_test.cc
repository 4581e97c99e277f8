#include "checks/separator_hint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/text_check.h"

namespace sb {
namespace {

// The diagnostics of the checks of a line text whose body is `body`, from
// line 4 (after its header), hinted, as they are printed.
std::vector<std::string> hinted(const std::string& body) {
  const std::string text =
      "[generale]\r\nlunghezza percorso, 5000\r\n[pendenze]\r\n" + body + "[fine]\r\n";
  std::vector<Diagnostic> diagnostics;
  check_line_text(text, &diagnostics);
  hint_separators(text, "", &diagnostics);
  std::vector<std::string> printed;
  for (const Diagnostic& diagnostic : diagnostics) {
    printed.push_back(format_diagnostic(diagnostic, "L.txt", "T.txt"));
  }
  return printed;
}

TEST(SeparatorHint, ALineSeparatedByTabsOrSemicolonsIsToldOfTheCommas) {
  const struct {
    const char* what;
    std::string body;
    std::vector<std::string> expected;
  } cases[] = {
      {"semicolons",
       "pendenza;300;3\r\n",
       {"L.txt:4:1: warning W26: the gradient change entry at line 4 has 0 values before the "
        "section header `[fine]` (line 5): 2 are expected; values are separated by commas, not "
        "semicolons [-Wvalues-shifted]",
        "L.txt:5:1: error E25: read failure: the text ends where a field was expected"}},
      {"tabs",
       "pendenza\t300\t3\r\n",
       {"L.txt:4:1: warning W26: the gradient change entry at line 4 has 0 values before the "
        "section header `[fine]` (line 5): 2 are expected; values are separated by commas, not "
        "tabs [-Wvalues-shifted]",
        "L.txt:5:1: error E25: read failure: the text ends where a field was expected"}},
      {"tabs that line values up after their commas", "pendenza,\t300,\t3\r\n", {}},
      {"a semicolon in a comment, which is free text",
       "- a;b, c\r\npendenza, 300, 3\r\n",
       {"L.txt:4:8: warning W27: the comment on this line ends at the comma: `c` is read as a "
        "keyword field [-Wcut-at-comma]"}},
  };
  for (const auto& c : cases) EXPECT_EQ(hinted(c.body), c.expected) << c.what;
}

}  // namespace
}  // namespace sb
