#include "checks/explanations.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "checks/diagnostic.h"
#include "checks/error_kinds.h"

namespace sb {
namespace {

std::set<std::string> explained_codes() {
  std::set<std::string> codes;
  for (const Explanation& explanation : explanations()) {
    const std::string code = explanation.code.text();
    EXPECT_TRUE(codes.insert(code).second) << code;
    for (const std::string_view part :
         {explanation.meaning, explanation.matters, explanation.wrong, explanation.right}) {
      EXPECT_FALSE(part.empty()) << code;
    }
  }
  return codes;
}

// Every code a build can report has its explanation, and none stands there
// that no build reports.
TEST(Explanations, EveryCodeIsExplainedOnce) {
  const std::set<std::string> explained = explained_codes();
  std::set<std::string> reported;
  for (const ErrorKind& kind : error_kinds()) reported.insert(DiagnosticCode(kind.code).text());
  for (const WarningKind& kind : warning_kinds()) reported.insert(DiagnosticCode(kind.id).text());
  EXPECT_EQ(explained, reported);
}

// The error kinds are every failure the compiler has a number for.
TEST(Explanations, TheErrorKindsAreEveryErrorCode) {
  std::ifstream file(std::string(SB_SOURCE_DIR) + "/model/error_codes.h");
  std::stringstream header;
  header << file.rdbuf();
  const std::string text = header.str();
  ASSERT_FALSE(text.empty());
  std::set<int> numbered;
  const std::regex code(R"(\bk[A-Za-z]+ = (\d+),)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), code); it != std::sregex_iterator();
       ++it) {
    const int number = std::stoi((*it)[1]);
    if (number != 0) numbered.insert(number);
  }
  std::set<int> kinds;
  for (const ErrorKind& kind : error_kinds()) kinds.insert(kind.code);
  EXPECT_EQ(kinds, numbered);
}

TEST(Explanations, FoundByCodeOrWarningName) {
  const struct {
    const char* asked;
    const char* found;  // null: none
  } cases[] = {
      {"E22", "E22"},        {"e22", "E22"}, {"W31", "W31"},
      {"encoding", "W31"},   {"w46", "W46"}, {"gradient-order", "W46"},
      {"E23", nullptr},      {"W", nullptr}, {"", nullptr},
      {"Encoding", nullptr},
  };
  for (const auto& c : cases) {
    const Explanation* explanation = find_explanation(c.asked);
    if (c.found == nullptr) {
      EXPECT_EQ(explanation, nullptr) << c.asked;
    } else {
      ASSERT_NE(explanation, nullptr) << c.asked;
      EXPECT_EQ(explanation->code.text(), c.found) << c.asked;
    }
  }
}

// The head line says the code, the warning's name and how loud it is by
// default, and the summary of the rule lists.
TEST(Explanations, TheHeadLineNamesCodeLevelAndSummary) {
  const struct {
    const char* code;
    const char* head;
  } cases[] = {
      {"E17",
       "E17, an error: a slowdown warning on a cell that another entry holds\n\nWhat it means: "},
      {"W31", "W31 `encoding`, a warning: a text that looks like UTF-8 or UTF-16\n\n"},
      {"W44",
       "W44 `route-length`, an error by default: a route length that does not read as a "
       "number, which makes a route of 0 m\n\n"},
      {"W46",
       "W46 `gradient-order`, a warning of -Wall: a gradient change behind the previous one, "
       "which writes a single cell\n\n"},
  };
  for (const auto& c : cases) {
    const std::string text = render_explanation(*find_explanation(c.code));
    EXPECT_EQ(text.rfind(c.head, 0), 0u) << text;
  }
}

TEST(Explanations, TheExamplesAreIndentedAsCode) {
  const std::string text = render_explanation(*find_explanation("W46"));
  EXPECT_NE(text.find("\n\nWrong:\n\n    pendenza, 1500, 6\n    pendenza, 1000, -4\n\nRight:\n\n"
                      "    pendenza, 1000, -4\n    pendenza, 1500, 6\n"),
            std::string::npos)
      << text;
}

}  // namespace
}  // namespace sb
