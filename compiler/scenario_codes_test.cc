#include "compiler/scenario_codes.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

struct Codes {
  int32_t st;
  int16_t og;
};

Codes codes_of(const std::string& train_number, const std::string& scenario_name) {
  BuildState state;
  state.record(kTrainRecord).text = train_number;
  state.record(kScenarioRecord).text = scenario_name;
  return {codice_gara_st(state), codice_gara_og(state)};
}

TEST(ScenarioCodes, KnownPairs) {
  struct Case {
    const char* train_number;
    const char* scenario_name;
    int32_t st;
    int16_t og;
  };
  const Case cases[] = {
      {"1", "A", 33907, 2508},
      {"1", "a", 33907, 2508},
      {"", "", 34355, 2583},
      {"37924", "Valmira_Lunerio", 32990, 2363},
  };
  for (const Case& c : cases) {
    const Codes codes = codes_of(c.train_number, c.scenario_name);
    EXPECT_EQ(codes.st, c.st) << c.train_number << c.scenario_name;
    EXPECT_EQ(codes.og, c.og) << c.train_number << c.scenario_name;
  }
}

TEST(ScenarioCodes, CountsTheTrainNumberAndNameLowerCasedThenTheLetterTable) {
  BuildState state;
  state.record(kTrainRecord).text = "1";
  state.record(kScenarioRecord).text = "A";
  EXPECT_EQ(code_string(state).substr(0, 25), "1aaabbccddeeffgghhiillmmn");
}

TEST(ScenarioCodes, ExchangingTheTwoTextsMovesOnlyTheWeights) {
  const Codes forward = codes_of("123", "xyz");
  const Codes backward = codes_of("xyz", "123");
  EXPECT_EQ(forward.og, backward.og);
  EXPECT_NE(forward.st, backward.st);
}

TEST(ScenarioCodes, OnlyTheFirst25CharactersCount) {
  const Codes exact = codes_of("1234567890", "abcdefghijklmno");
  const Codes longer = codes_of("1234567890", "abcdefghijklmnoXYZ");
  EXPECT_EQ(exact.st, longer.st);
  EXPECT_EQ(exact.og, longer.og);
}

TEST(ScenarioCodes, AccentedCapitalsCountAsTheirLowerCase) {
  const Codes upper = codes_of("1", "\xC8");  // È
  const Codes lower = codes_of("1", "\xE8");  // è
  EXPECT_EQ(upper.st, lower.st);
  EXPECT_EQ(upper.og, lower.og);
  EXPECT_EQ(lower.og, 2508 - 'a' + 0xE8);
}

}  // namespace
}  // namespace sb
