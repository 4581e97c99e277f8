#ifndef SCENARIO_BUILDER_COMPILER_READER_TEST_SUPPORT_H_
#define SCENARIO_BUILDER_COMPILER_READER_TEST_SUPPORT_H_

// Shared by the tests of the readers: their failures are asserted as the
// whole text the user reads, and a number a finding carries that this text
// leaves out fails the test.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/finding.h"
#include "compiler/finding_text.h"
#include "format/cells.h"
#include "model/error_codes.h"

namespace sb::test {

namespace internal {

inline bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Whether `text` holds `number` as a number of its own, not as part of a
// longer one ("cell 5" is not in "cell 51").
inline bool shows_number(std::string_view text, std::string_view prefix, int64_t number) {
  const std::string needle = std::string(prefix) + std::to_string(number);
  for (size_t at = text.find(needle); at != std::string_view::npos;
       at = text.find(needle, at + 1)) {
    const size_t end = at + needle.size();
    const bool starts =
        !prefix.empty() || at == 0 || (!is_digit(text[at - 1]) && text[at - 1] != '-');
    if (starts && (end == text.size() || !is_digit(text[end]))) return true;
  }
  return false;
}

// Fails the test for a finding of a reader that belongs to neither text, or
// for a number it carries that its words leave out: the user would never
// learn it.
inline void expect_shown(const Finding& finding) {
  EXPECT_NE(finding.location.text, SourceLocation::Text::kNone) << "a finding of no text";
  const std::string words = describe(finding);
  if (finding.position) {
    EXPECT_NE(words.find("at " + std::to_string(*finding.position) + " m"), std::string::npos)
        << "the position " << *finding.position << " is not in: " << words;
  }
  if (finding.cell >= 0) {
    EXPECT_TRUE(shows_number(words, "cell ", finding.cell))
        << "the cell " << finding.cell << " is not in: " << words;
  }
  if (finding.holder) {
    const size_t holds = words.find("holds ");
    EXPECT_TRUE(holds != std::string::npos &&
                words.find(cell_kind_name(*finding.holder), holds) != std::string::npos)
        << "what holds the cell is not in: " << words;
  }
  // The chainage failure keeps the record of the chainage it refused, which
  // its words do not name.
  if (finding.value != 0 && finding.code != kChainageNotMultiple) {
    EXPECT_TRUE(shows_number(words, "", finding.value))
        << "the value " << finding.value << " is not in: " << words;
  }
}

}  // namespace internal

// Each finding as the user reads it, in the order found: "L.txt:5:1: error
// E6: the indication board at 500 m needs cell 11, which already holds an
// indication board".  The line text is L.txt, the train text T.txt.
inline std::vector<std::string> error_texts(const Findings& findings) {
  std::vector<std::string> texts;
  for (const Finding& finding : findings) {
    internal::expect_shown(finding);
    texts.push_back(format_compile_error(finding, {"L.txt", "T.txt"}));
  }
  return texts;
}

// The last finding as the user reads it, "" when there is none.
inline std::string error_text(const Findings& findings) {
  const std::vector<std::string> texts = error_texts(findings);
  return texts.empty() ? "" : texts.back();
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_COMPILER_READER_TEST_SUPPORT_H_
