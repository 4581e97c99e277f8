#include "starter/starter_scenario.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {
namespace {

std::vector<std::string> crlf_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(bytes.substr(start, end - start));
  }
  EXPECT_EQ(start, bytes.size()) << "the last line ends without CR LF";
  return lines;
}

bool is_comment(const std::string& line) { return line.rfind("- ", 0) == 0; }

// A comment is one field: a comma would let the rest of it be read as
// entries.  The readers skip at most two comment fields in a row (the line
// text's general section ten); a further one would be examined as a keyword
// field.
void expect_comments_read_as_comments(const std::string& text, int most_in_general) {
  const std::vector<std::string> lines = crlf_lines(text);
  bool in_general = false;
  bool past_general = false;
  int in_a_row = 0;
  int comments = 0;
  for (const std::string& line : lines) {
    if (line == "[generale]") in_general = true;
    if (in_general && line != "[generale]" && line.front() == '[') past_general = true;
    if (!is_comment(line)) {
      in_a_row = 0;
      continue;
    }
    ++comments;
    ++in_a_row;
    EXPECT_EQ(line.find(','), std::string::npos) << line;
    EXPECT_LE(in_a_row, past_general ? 2 : most_in_general) << line;
  }
  EXPECT_TRUE(in_general);
  EXPECT_GT(comments, 5);
  EXPECT_EQ(lines.back(), "[fine]");
}

TEST(StarterScenario, TextsAreCrLfWithOneFieldCommentsThatTheReadersSkip) {
  expect_comments_read_as_comments(starter_line_text("Mia"), 10);
  expect_comments_read_as_comments(starter_train_text("Mia", "101"), 2);
}

TEST(StarterScenario, TheHeadingNamesTheScenarioInWindows1252) {
  const std::string line = starter_line_text("Citt\xE0");
  EXPECT_EQ(line.rfind("Line text of the scenario Citt\xE0: the track.\r\n", 0), 0u);
  const std::string train = starter_train_text("Citt\xE0", "7");
  EXPECT_EQ(train.rfind("Train text of the scenario Citt\xE0: train 7.\r\n", 0), 0u);
}

}  // namespace
}  // namespace sb
