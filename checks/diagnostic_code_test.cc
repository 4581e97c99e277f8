#include "checks/diagnostic_code.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

TEST(DiagnosticCode, ShowsItsLetterAndNumber) {
  const struct {
    DiagnosticCode code;
    const char* text;
    const char* name;
  } cases[] = {
      {kStationsTooClose, "E22", ""},
      {kReadFailed, "E25", ""},
      {WarningId::kValuesShifted, "W26", "values-shifted"},
      {WarningId::kFraction, "W25", "fraction"},
      {WarningId::kNamedPointTime, "W57", "named-point-time"},
      {DiagnosticCode(), "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.code.text(), c.text);
    EXPECT_EQ(c.code.warning_name(), c.name) << c.text;
  }
}

// The marker pass's failures and the warnings they are shown as share their
// numbers; the codes still tell them apart.
TEST(DiagnosticCode, AnErrorIsNoWarningOfTheSameNumber) {
  const DiagnosticCode error = kRuleAPlacementFailed;
  const DiagnosticCode warning = WarningId::kCodePointAtSignal;
  EXPECT_EQ(error.text(), "E11");
  EXPECT_EQ(warning.text(), "W11");
  EXPECT_NE(error, warning);
  EXPECT_EQ(error.error(), kRuleAPlacementFailed);
  EXPECT_EQ(error.warning(), std::nullopt);
  EXPECT_EQ(warning.warning(), WarningId::kCodePointAtSignal);
  EXPECT_EQ(warning.error(), std::nullopt);
  EXPECT_NE(DiagnosticCode(kReadFailed), DiagnosticCode(WarningId::kFraction));  // E25, W25
}

TEST(DiagnosticCode, ADefaultCodeIsNeither) {
  const DiagnosticCode none;
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(none.error(), std::nullopt);
  EXPECT_EQ(none.warning(), std::nullopt);
}

}  // namespace
}  // namespace sb
