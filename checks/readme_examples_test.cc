#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "checks/meaning_checks.h"
#include "checks/text_check.h"

namespace sb {
namespace {

// The texts the README shows an author, in the order they stand: the code
// blocks that begin with "[generale]".
std::vector<std::string> readme_texts() {
  std::ifstream file(std::string(SB_SOURCE_DIR) + "/README.md", std::ios::binary);
  std::stringstream readme;
  readme << file.rdbuf();
  const std::string text = readme.str();
  std::vector<std::string> texts;
  const std::string open = "```\n[generale]\n";
  for (size_t at = text.find(open); at != std::string::npos; at = text.find(open, at + 1)) {
    const size_t start = at + 4;
    const size_t end = text.find("```", start);
    texts.push_back(text.substr(start, end - start));
  }
  return texts;
}

TEST(ReadmeExamples, GiveNoWarning) {
  const std::vector<std::string> texts = readme_texts();
  ASSERT_EQ(texts.size(), 2u) << "the README shows a line text and a train text";
  std::vector<Diagnostic> diagnostics;
  const LineFacts line = check_line_text(texts[0], &diagnostics);
  check_train_text(texts[1], line, &diagnostics);
  check_meaning(read_text_entries(texts[0], SourceLocation::Text::kLine),
                read_text_entries(texts[1], SourceLocation::Text::kTrain), &diagnostics);
  for (const Diagnostic& d : diagnostics) ADD_FAILURE() << format_diagnostic(d, "line", "train");
}

}  // namespace
}  // namespace sb
