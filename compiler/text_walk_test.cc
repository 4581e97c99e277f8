#include "compiler/text_walk.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "compiler/reader_test_support.h"
#include "compiler/recorder_test_support.h"
#include "model/error_codes.h"

namespace sb {
namespace {

using test::error_text;
using test::line_of;

constexpr SourceLocation::Text kTrain = SourceLocation::Text::kTrain;
// Two entries; the second one's keyword field stands at line 3, column 3.
constexpr char kText[] = "[generale]\r\nsabbia, 5\r\n  numero vetture, 6\r\n[fine]\r\n";

struct Walked {
  Flow flow = Flow::kNext;
  std::vector<std::string> keywords;
  Findings findings;
};

// Walks kText over a 4000 m line (last cell 220), reading each entry's value
// and answering the second entry with `answer`.
Walked walk_with(const std::function<Flow(TextWalk&, int32_t value)>& answer,
                 const char* text = kText) {
  const BuildState state = line_of(4000);
  Walked walked;
  TextWalk walk(kTrain, text, state, walked.findings);
  walked.flow = walk.each_entry(0, walk.entries().entries.size(), [&](const TextEntry& entry) {
    walked.keywords.emplace_back(walk.entries().token(walk.entries().keyword(entry)));
    int32_t value = 0;
    if (const Flow flow = walk.read_all(&value); flow != Flow::kNext) return flow;
    return walked.keywords.size() == 2 ? answer(walk, value) : Flow::kNext;
  });
  return walked;
}

TEST(TextWalk, EachFailureIsPlacedAtTheKeywordFieldOfItsEntry) {
  struct Case {
    const char* name;
    std::function<Flow(TextWalk&, int32_t)> answer;
    Flow flow;
    std::string error;
  };
  const Case cases[] = {
      {"stop", [](TextWalk& w, int32_t) { return w.stop(kCabCodesMissing); }, Flow::kStop,
       "T.txt:3:3: error E5: the cab-signalling keyword field names neither 4 "
       "nor 9 codes"},
      {"stop naming a value", [](TextWalk& w, int32_t v) { return w.stop(kRouteLengthRefused, v); },
       Flow::kStop, "T.txt:3:3: error E1: the route length 6 m is outside 0 to 1000000 m"},
      {"stop at the entry's position",
       [](TextWalk& w, int32_t v) { return w.stop_at(kStationsTooClose, v); }, Flow::kStop,
       "T.txt:3:3: error E22: the station at 6 m starts less than 350 m after "
       "the end of the previous station"},
      {"outside the line", [](TextWalk& w, int32_t v) { return w.end_outside_the_line(v); },
       Flow::kEnd,
       "T.txt:3:3: error E15: the entry at 6 m lies outside the line, whose "
       "last cell is 220 (the rest of the text is not compiled)"},
  };
  for (const Case& c : cases) {
    const Walked walked = walk_with(c.answer);
    EXPECT_EQ(walked.flow, c.flow) << c.name;
    EXPECT_EQ(walked.keywords, (std::vector<std::string>{"sabbia", "numero vetture"})) << c.name;
    ASSERT_EQ(walked.findings.size(), 1U) << c.name;
    EXPECT_EQ(error_text(walked.findings), c.error) << c.name;
  }
}

TEST(TextWalk, ReadsToTheEndOrToAReadFailureWhereTheReaderStands) {
  const Walked to_the_end = walk_with([](TextWalk&, int32_t) { return Flow::kNext; });
  EXPECT_EQ(to_the_end.flow, Flow::kNext);
  EXPECT_TRUE(to_the_end.findings.empty());

  // The clock's second value: the text ends first.
  const Walked failed = walk_with(
      [](TextWalk& w, int32_t) {
        int32_t a = 0;
        return w.read_all(&a);
      },
      "[generale]\r\nsabbia, 5\r\n  orologio, 6\r\n");
  EXPECT_EQ(failed.flow, Flow::kReadFailure);
  ASSERT_EQ(failed.findings.size(), 1U);
  EXPECT_EQ(error_text(failed.findings),
            "T.txt:3:13: error E25: read failure: the text ends where a field was "
            "expected");  // at the field last read
}

TEST(TextWalk, ThePositionCheckEndsAtTheLastCell) {
  const BuildState state = line_of(4000);  // cells 0 to 220
  Findings findings;
  const TextWalk walk(kTrain, kText, state, findings);
  EXPECT_TRUE(walk.fits(10900));  // (10900 + 100) / 50 = 220
  EXPECT_FALSE(walk.fits(10901));
  EXPECT_TRUE(walk.fits(10200, kStationReach));
  EXPECT_FALSE(walk.fits(10201, kStationReach));
}

}  // namespace
}  // namespace sb
