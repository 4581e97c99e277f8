#include "compiler/text_walk.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "compiler/recorder_test_support.h"
#include "model/error_codes.h"

namespace sb {
namespace {

using test::line_of;

constexpr SourceLocation::Text kTrain = SourceLocation::Text::kTrain;
// Two entries; the second one's keyword field stands at line 3, column 3.
constexpr char kText[] = "[generale]\r\nuno, 5\r\n  due, 6\r\n[fine]\r\n";

struct Walked {
  Flow flow = Flow::kNext;
  std::vector<std::string> keywords;
  Findings findings;
  bool ended_outside = false;
};

// Walks kText over a 4000 m line (last cell 220), reading each entry's value
// and answering the second entry with `answer`.
Walked walk_with(const std::function<Flow(TextWalk&, int32_t value)>& answer) {
  const BuildState state = line_of(4000);
  Walked walked;
  TextWalk walk(kTrain, kText, state, walked.findings);
  EXPECT_EQ(seek_general_section(walk.reader()), WalkStep::kField);
  std::string field;
  walked.flow = walk.each_entry(&field, [&] {
    walked.keywords.push_back(field);
    int32_t value = 0;
    if (const Flow flow = walk.read_all(&value); flow != Flow::kNext) return flow;
    return walked.keywords.size() == 2 ? answer(walk, value) : Flow::kNext;
  });
  walked.ended_outside = walk.ended_outside_the_line();
  return walked;
}

TEST(TextWalk, EachFailureIsPlacedAtTheKeywordFieldOfItsEntry) {
  struct Case {
    const char* name;
    std::function<Flow(TextWalk&, int32_t)> answer;
    Flow flow;
    int32_t code;
    std::optional<int32_t> position;
    int64_t value;
  };
  const Case cases[] = {
      {"stop", [](TextWalk& w, int32_t) { return w.stop(kCabCodesMissing); }, Flow::kStop,
       kCabCodesMissing, std::nullopt, 0},
      {"stop naming a value", [](TextWalk& w, int32_t v) { return w.stop(kRouteLengthRefused, v); },
       Flow::kStop, kRouteLengthRefused, std::nullopt, 6},
      {"stop at the entry's position",
       [](TextWalk& w, int32_t v) { return w.stop_at(kStationsTooClose, v); }, Flow::kStop,
       kStationsTooClose, 6, 0},
      {"outside the line", [](TextWalk& w, int32_t v) { return w.end_outside_the_line(v); },
       Flow::kEnd, kOutsideTheLine, 6, 220},
  };
  for (const Case& c : cases) {
    const Walked walked = walk_with(c.answer);
    EXPECT_EQ(walked.flow, c.flow) << c.name;
    EXPECT_EQ(walked.keywords, (std::vector<std::string>{"uno", "due"})) << c.name;
    ASSERT_EQ(walked.findings.size(), 1U) << c.name;
    const Finding& finding = walked.findings[0];
    EXPECT_EQ(finding.code, c.code) << c.name;
    EXPECT_EQ(finding.location, (SourceLocation{kTrain, 3, 3})) << c.name;
    EXPECT_EQ(finding.position, c.position) << c.name;
    EXPECT_EQ(finding.value, c.value) << c.name;
    EXPECT_EQ(walked.ended_outside, c.flow == Flow::kEnd) << c.name;
  }
}

TEST(TextWalk, ReadsToTheEndOrToAReadFailureWhereTheReaderStands) {
  const Walked to_the_end = walk_with([](TextWalk&, int32_t) { return Flow::kNext; });
  EXPECT_EQ(to_the_end.flow, Flow::kEnd);
  EXPECT_TRUE(to_the_end.findings.empty());

  const Walked failed = walk_with([](TextWalk& w, int32_t) {
    int32_t a = 0;
    int32_t b = 0;
    return w.read_all(&a, &b);  // "[fine]" reads as 0, then the text ends
  });
  EXPECT_EQ(failed.flow, Flow::kReadFailure);
  ASSERT_EQ(failed.findings.size(), 1U);
  EXPECT_EQ(failed.findings[0].code, kReadFailed);
  EXPECT_EQ(failed.findings[0].detail, "the text ends where a field was expected");
  EXPECT_EQ(failed.findings[0].location, (SourceLocation{kTrain, 4, 1}));  // the field last read
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
