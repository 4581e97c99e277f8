#include "checks/format_reference.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "checks/explanations.h"
#include "grammar/grammar.h"

namespace sb {
namespace {

// docs/format.md is the reference as the grammar makes it.  After a change
// of the grammar, SB_WRITE_FORMAT_REFERENCE=1 build/checks_tests writes it.
TEST(FormatReference, DocsAreTheGrammars) {
  const std::string path = std::string(SB_SOURCE_DIR) + "/docs/format.md";
  const std::string made = format_reference();
  if (std::getenv("SB_WRITE_FORMAT_REFERENCE") != nullptr) {
    std::ofstream(path, std::ios::binary) << made;
  }
  std::ifstream file(path, std::ios::binary);
  std::stringstream kept;
  kept << file.rdbuf();
  EXPECT_EQ(kept.str(), made) << "docs/format.md differs from the grammar: run "
                                 "SB_WRITE_FORMAT_REFERENCE=1 build/checks_tests";
}

TEST(FormatReference, NamesEveryEntryAndValue) {
  const std::string made = format_reference();
  for (const Entry& entry : grammar_entries()) {
    EXPECT_NE(made.find("### " + std::string(entry.title) + "\n"), std::string::npos)
        << entry.title;
    EXPECT_NE(made.find("```\n" + std::string(entry.example) + "\n```"), std::string::npos)
        << entry.title;
    for (const Slot& slot : entry.slots) {
      EXPECT_NE(made.find("`" + std::string(slot.name) + "`: " + std::string(slot.meaning)),
                std::string::npos)
          << entry.title << " " << slot.name;
    }
  }
}

// The reference lists every code with the text `explain` prints.
TEST(FormatReference, ExplainsEveryCodeAsExplainDoes) {
  const std::string made = format_reference();
  for (const Explanation& explanation : explanations()) {
    EXPECT_NE(made.find("\n### " + render_explanation(explanation)), std::string::npos)
        << explanation.code.text();
  }
}

}  // namespace
}  // namespace sb
